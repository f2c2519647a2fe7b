// A scripted desktop for tests: a message queue the test fills, windows whose existence and
// visibility the test changes (also from a script step run on every PeekMessage), and a record of
// every window made, destroyed or lowered.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace aerolume::platform {

class FakeWindowSystem final : public WindowSystem {
 public:
  struct Window {
    bool exists = true;
    bool visible = true;
    bool fullScreen = false;
    bool own = false;  // made by the program (saver or test window)
    WindowHandle parent = 0;
    std::string title;
    int x = 0, y = 0, width = 0, height = 0;
    std::uint64_t visual = 0;
    WindowProc proc;
  };

  ScreenSize screen{1920, 1080};
  std::map<WindowHandle, Window> windows;
  std::deque<WindowMessage> queue;
  std::vector<WindowHandle> created, destroyed, lowered;
  bool failCreate = false;
  // Run at the start of every PeekMessage, with the number of earlier calls.
  std::function<void(int peekCount)> onPeek;
  int peekCount = 0;

  // A window of another program, such as a preview's parent.
  void AddForeignWindow(WindowHandle window, bool visible, int width = 152, int height = 112) {
    Window& w = windows[window];
    w.visible = visible;
    w.width = width;
    w.height = height;
  }
  void Post(WindowHandle window, Msg message, std::int64_t wParam = 0, std::int64_t lParam = 0) {
    queue.push_back({window, message, wParam, lParam});
  }
  // The last window made by the program, or 0.
  WindowHandle LastCreated() const { return created.empty() ? 0 : created.back(); }

  ScreenSize GetScreenSize() override { return screen; }

  // Like the real layer: the procedure hears Msg::Create, then the first Msg::Size.
  WindowHandle CreateSaverWindow(bool fullScreen, WindowHandle parent, std::uint64_t visual,
                                 WindowProc proc) override {
    if (failCreate) return 0;
    if (!fullScreen && !IsWindow(parent)) return 0;
    const WindowHandle handle = nextHandle_++;
    Window& w = windows[handle];
    w.own = true;
    w.fullScreen = fullScreen;
    w.parent = fullScreen ? 0 : parent;
    w.width = fullScreen ? screen.width : windows[parent].width;
    w.height = fullScreen ? screen.height : windows[parent].height;
    w.visual = visual;
    w.proc = std::move(proc);
    created.push_back(handle);
    Call(handle, {handle, Msg::Create, 0, 0});
    Call(handle, {handle, Msg::Size, 0, MakeLParam(w.width, w.height)});
    return handle;
  }

  WindowHandle CreateTestWindow(const std::string& title, int x, int y, int width, int height) override {
    if (failCreate) return 0;
    const WindowHandle handle = nextHandle_++;
    Window& w = windows[handle];
    w.own = true;
    w.visible = false;
    w.title = title;
    w.x = x;
    w.y = y;
    w.width = width;
    w.height = height;
    created.push_back(handle);
    return handle;
  }

  void ShowWindow(WindowHandle window) override {
    if (IsWindow(window)) windows[window].visible = true;
  }
  bool IsWindow(WindowHandle window) override {
    const auto found = windows.find(window);
    return found != windows.end() && found->second.exists;
  }
  bool IsWindowVisible(WindowHandle window) override {
    return IsWindow(window) && windows[window].visible;
  }

  std::optional<WindowMessage> PeekMessage(WindowHandle only = 0) override {
    if (onPeek) onPeek(peekCount);
    ++peekCount;
    for (auto it = queue.begin(); it != queue.end(); ++it) {
      if (only && it->window != only) continue;
      const WindowMessage message = *it;
      queue.erase(it);
      return message;
    }
    return std::nullopt;
  }
  void DispatchMessage(const WindowMessage& message) override { Call(message.window, message); }
  void SendMessage(WindowHandle window, Msg message, std::int64_t wParam = 0,
                   std::int64_t lParam = 0) override {
    Call(window, {window, message, wParam, lParam});
  }

  // Like the real layer: the procedure hears Msg::Destroy while the window still exists.
  void DestroyWindow(WindowHandle window) override {
    if (!IsWindow(window) || !windows[window].own) return;
    Call(window, {window, Msg::Destroy, 0, 0});
    if (!IsWindow(window)) return;
    WindowProc proc = windows[window].proc;
    windows[window].exists = false;
    windows[window].visible = false;
    destroyed.push_back(window);
    if (proc) proc({window, Msg::NcDestroy, 0, 0});
  }
  // Destroys a window as another program would: its own procedure is not asked first, but a
  // saver child of it is destroyed with it.
  void DestroyFromOutside(WindowHandle window) {
    for (auto& [handle, w] : windows) {
      if (w.parent == window && w.exists) DestroyWindow(handle);
    }
    windows[window].exists = false;
    windows[window].visible = false;
  }
  void LowerBelowDialogs(WindowHandle window) override {
    if (IsWindow(window)) lowered.push_back(window);
  }

 private:
  void Call(WindowHandle window, const WindowMessage& message) {
    if (!IsWindow(window) || !windows[window].proc) return;
    WindowProc proc = windows[window].proc;  // the procedure may destroy its window
    proc(message);
  }

  WindowHandle nextHandle_ = 0x1000;
};

}  // namespace aerolume::platform
