// Windows, the message queue and the input that a saver window receives.
//
// The X11 implementation runs on the program's own display connection and translates X events
// into this small message set; a scripted fake drives the host in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/system_services.h"

namespace aerolume::platform {

enum class Msg {
  Create,       // sent once while the window is being made, before it is first shown
  Destroy,
  Size,         // lParam: width in the low 16 bits, height in the high 16 bits
  Activate,     // wParam 0: the window lost the keyboard focus or was unmapped by someone else
  ActivateApp,
  NcActivate,
  Close,
  KeyDown,
  SysKeyDown,
  LButtonDown,
  RButtonDown,
  MButtonDown,
  MouseMove,    // lParam: x in the low 16 bits, y in the high 16 bits (signed)
  Paint,
  SysCommand,   // wParam kScMonitorPower: lParam 2 display off, 1 low power
  NcDestroy,
  Other,
};

inline constexpr std::int64_t kScMonitorPower = 0xF170;

struct WindowMessage {
  WindowHandle window = 0;
  Msg message = Msg::Other;
  std::int64_t wParam = 0;
  std::int64_t lParam = 0;
};

// Packs two 16-bit values the way size and mouse messages carry them.
constexpr std::int64_t MakeLParam(int low, int high) {
  return static_cast<std::int64_t>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) |
                                   static_cast<std::uint32_t>(low & 0xFFFF));
}
constexpr int LowWord(std::int64_t v) { return static_cast<int>(v & 0xFFFF); }
constexpr int HighWord(std::int64_t v) { return static_cast<int>((v >> 16) & 0xFFFF); }
constexpr int SignedLowWord(std::int64_t v) { return static_cast<std::int16_t>(v & 0xFFFF); }
constexpr int SignedHighWord(std::int64_t v) { return static_cast<std::int16_t>((v >> 16) & 0xFFFF); }

using WindowProc = std::function<void(const WindowMessage&)>;

struct ScreenSize {
  int width = 0;
  int height = 0;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual ScreenSize GetScreenSize() = 0;

  // A saver window: full screen (borderless, covering the screen, above other windows, taking
  // keyboard and pointer input, invisible cursor) or a child filling `parent` and following its
  // size. The procedure gets Msg::Create, then Msg::Size with the client size, before this
  // returns; a full-screen window then hears first of the pointer's place (Msg::MouseMove).
  // `visual` is the X visual id to create it with (0: default). Returns 0 when no window could
  // be made.
  virtual WindowHandle CreateSaverWindow(bool fullScreen, WindowHandle parent, std::uint64_t visual,
                                         WindowProc proc) = 0;

  // A plain top-level window with a title bar and border, black background, not yet shown.
  virtual WindowHandle CreateTestWindow(const std::string& title, int x, int y, int width,
                                        int height) = 0;
  virtual void ShowWindow(WindowHandle window) = 0;

  virtual bool IsWindow(WindowHandle window) = 0;
  virtual bool IsWindowVisible(WindowHandle window) = 0;

  // Takes the next message without waiting: posted messages first, then pending X events. Loss of
  // the focus, or an unmap by someone else, comes as Msg::Activate with wParam 0 to a full-screen
  // window; the monitor going to sleep as Msg::SysCommand kScMonitorPower (lParam 1 low power,
  // 2 off) and its return as Msg::Paint. `only` limits it to one window's messages (0: any window
  // of the program).
  virtual std::optional<WindowMessage> PeekMessage(WindowHandle only = 0) = 0;
  // Hands a message to its window's procedure.
  virtual void DispatchMessage(const WindowMessage& message) = 0;
  // Calls the window's procedure at once; nothing when the window is gone.
  virtual void SendMessage(WindowHandle window, Msg message, std::int64_t wParam = 0,
                           std::int64_t lParam = 0) = 0;
  // Destroys a window of the program; its procedure receives Msg::Destroy, then Msg::NcDestroy.
  virtual void DestroyWindow(WindowHandle window) = 0;

  // Takes a full-screen window out of the band above other windows and gives up its hold on the
  // keyboard and pointer, so that a message box shown now is seen and can be answered. Nothing
  // when the window is gone.
  virtual void LowerBelowDialogs(WindowHandle window) = 0;
};

}  // namespace aerolume::platform
