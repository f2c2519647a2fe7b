#include "host/screensaver_app.h"

#include "platform/system_services.h"

namespace aerolume::host {

using platform::Msg;
using platform::WindowHandle;

bool CScreensaverApp::InitInstance(std::string_view loweredCommandLine) {
  const RunMode mode = SelectRunMode(loweredCommandLine);
  services_.system.SetScreenSaverRunning(true);
  switch (mode) {
    case RunMode::ModeFullScreen:
      RunSaver();
      break;
    case RunMode::ModeConfigure:
      DoConfigure();
      break;
    case RunMode::ModeChangePassword:
      ChangePassword();
      break;
    case RunMode::ModeTestPreview: {
      const WindowHandle window = CreatePreviewTestWindow();
      RunPreview(window);
      if (window) services_.windows.DestroyWindow(window);
      break;
    }
    case RunMode::ModePreview:
      RunPreview(PreviewParentFrom(loweredCommandLine));
      break;
  }
  services_.system.SetScreenSaverRunning(false);
  return false;
}

void CScreensaverApp::RunSaver() {
  platform::WindowSystem& windows = services_.windows;
  const WindowHandle window = CreateSaverWindow();
  if (!window) return;
  bool powerOff = false;
  services_.system.SetScreenSaverRunning(true);
  for (;;) {
    if (powerOff || !windows.IsWindow(window)) {
      if (VerifyPassword(window)) break;
    }
    OnSaverFrame();
    if (powerOff) continue;
    while (auto message = windows.PeekMessage()) {
      if (message->message == Msg::SysCommand && message->wParam == platform::kScMonitorPower &&
          message->lParam == 2) {
        powerOff = true;
      }
      windows.DispatchMessage(*message);
      if (powerOff) break;
    }
  }
  if (windows.IsWindow(window)) windows.SendMessage(window, Msg::Close);
  services_.system.SetScreenSaverRunning(false);
  OnSaverEnd();
}

bool CScreensaverApp::VerifyPassword(WindowHandle window) {
  if (services_.system.IsNtFamily()) return true;
  // Old consumer desktops check the password through a system library. A missing verifier lets the
  // saver end: asking again forever would leave the user with no window and no way out.
  const auto verify = services_.system.FindPasswordEntry("PASSWORD.CPL", "VerifyScreenSavePwd");
  if (!verify) return true;
  return verify(window) == 1;
}

void CScreensaverApp::RunPreview(WindowHandle parent) {
  platform::WindowSystem& windows = services_.windows;
  bool drawing = true;
  if (!parent || !windows.IsWindow(parent)) return;
  while (windows.IsWindow(parent) && !windows.IsWindowVisible(parent)) {
    while (auto message = windows.PeekMessage(parent)) windows.DispatchMessage(*message);
  }
  const WindowHandle child = CreatePreviewWindow(parent);
  if (!child) return;
  while (windows.IsWindow(parent) && windows.IsWindowVisible(parent) && windows.IsWindow(child)) {
    if (drawing) OnPreviewFrame();
    while (auto message = windows.PeekMessage()) {
      if (message->message == Msg::SysCommand && message->wParam == platform::kScMonitorPower) {
        drawing = false;
      } else if (message->message == Msg::Paint && !drawing) {
        OnPreviewResume();
        drawing = true;
      }
      windows.DispatchMessage(*message);
    }
  }
  if (windows.IsWindow(child)) windows.SendMessage(child, Msg::Close);
  OnPreviewEnd();
}

WindowHandle CScreensaverApp::CreatePreviewTestWindow() {
  const platform::ScreenSize screen = services_.windows.GetScreenSize();
  const int width = screen.width / 4;
  const int height = screen.height / 4;
  const WindowHandle window = services_.windows.CreateTestWindow(
      "Screensaver Preview Test", (screen.width - width) / 2, (screen.height - height) / 2, width, height);
  if (window) services_.windows.ShowWindow(window);
  return window;
}

void CScreensaverApp::ChangePassword() {
  const auto change = services_.system.FindPasswordEntry("MPR.DLL", "PwdChangePasswordA");
  if (change) change(0);
}

}  // namespace aerolume::host
