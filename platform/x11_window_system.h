// The saver's windows on X11: full-screen, preview child and test window on the program's own
// display connection, with X events translated into the message set of window_system.h.
//
// The display is opened on first use, so modes that never make a window (the password switch)
// run without one.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>

#include "platform/monitor_power.h"
#include "platform/window_system.h"

typedef struct _XDisplay Display;
union _XEvent;

namespace aerolume::platform {

class X11WindowSystem final : public WindowSystem {
 public:
  X11WindowSystem() = default;
  ~X11WindowSystem() override;
  X11WindowSystem(const X11WindowSystem&) = delete;
  X11WindowSystem& operator=(const X11WindowSystem&) = delete;

  // The display connection, opened on the first call; null when no display can be opened.
  Display* XDisplay();
  // The default screen of that display (0 without one).
  int XScreen();

  ScreenSize GetScreenSize() override;
  WindowHandle CreateSaverWindow(bool fullScreen, WindowHandle parent, std::uint64_t visual,
                                 WindowProc proc) override;
  WindowHandle CreateTestWindow(const std::string& title, int x, int y, int width,
                                int height) override;
  void ShowWindow(WindowHandle window) override;
  bool IsWindow(WindowHandle window) override;
  bool IsWindowVisible(WindowHandle window) override;
  std::optional<WindowMessage> PeekMessage(WindowHandle only = 0) override;
  void DispatchMessage(const WindowMessage& message) override;
  void SendMessage(WindowHandle window, Msg message, std::int64_t wParam = 0,
                   std::int64_t lParam = 0) override;
  void DestroyWindow(WindowHandle window) override;
  void LowerBelowDialogs(WindowHandle window) override;

 private:
  // A window this program made.
  struct OwnWindow {
    WindowProc proc;            // empty for the test window
    bool fullScreen = false;
    WindowHandle parent = 0;    // the foreign parent of a preview
    int width = 0, height = 0;  // last size reported in Msg::Size
    bool mapped = false;        // as the server last reported it
  };
  // What is known of a window of another program (a preview's parent).
  struct ForeignWindow {
    bool exists = false;
    bool viewable = false;
    std::int64_t checkedAtMs = -1;  // -1: ask the server again
    bool watched = false;           // its structure events are selected
  };

  void QueryForeign(WindowHandle window, ForeignWindow& known);
  void GrabInput(unsigned long window);
  void HideCursor(unsigned long window);
  void PollMonitorPower();
  // Handles one X event; a message when it becomes one for a window procedure.
  std::optional<WindowMessage> Translate(_XEvent& event);
  void ForgetWindow(WindowHandle window);
  std::optional<WindowMessage> TakePosted(WindowHandle only);

  Display* display_ = nullptr;
  bool openTried_ = false;
  std::map<WindowHandle, OwnWindow> own_;
  std::map<WindowHandle, ForeignWindow> foreign_;
  std::deque<WindowMessage> posted_;
  unsigned long invisibleCursor_ = 0;
  unsigned long deleteWindowAtom_ = 0;
  bool dpmsUsable_ = false;
  std::optional<PowerLevel> lastPowerLevel_;  // empty before the first poll
  std::int64_t lastPowerPollMs_ = -1;
};

}  // namespace aerolume::platform
