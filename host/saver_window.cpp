// The saver window's procedure, its creation sequence and the input rules that end the saver.
#include "host/saver_window.h"

#include <cstdlib>

#include "host/data_folder.h"
#include "host/test_screensaver.h"
#include "settings/options_file.h"

namespace aerolume::host {

using platform::Msg;
using platform::WindowHandle;
using platform::WindowMessage;

bool MouseMoveEndsSaver(MousePoint& mouseStart, int x, int y) {
  if (mouseStart.x == -1 || mouseStart.y == -1) {
    mouseStart = {x, y};
    return false;
  }
  return std::abs(mouseStart.x - x) > 50 || std::abs(mouseStart.y - y) > 50;
}

std::string CTestScreensaver::RegisterSaverClass() {
  // X11 has no window classes: registering is only remembered.
  saverState_.ClassRegistered = true;
  return kSaverClassName;
}

WindowHandle CTestScreensaver::MakeSaverWindow(bool fullScreen, WindowHandle parent) {
  RegisterSaverClass();
  const std::uint64_t visual = renderer_ ? renderer_->ChooseVisual() : 0;
  m_hSaverWnd = services_.windows.CreateSaverWindow(
      fullScreen, fullScreen ? 0 : parent, visual,
      [this](const WindowMessage& message) { SaverWindowProc(message); });
  return m_hSaverWnd;
}

void CTestScreensaver::SaverWindowProc(const WindowMessage& message) {
  const bool fullScreen = saverState_.FullScreenMode;
  const WindowHandle window = message.window;
  switch (message.message) {
    case Msg::Create:
      RunCreationSequence(window, fullScreen);
      break;
    case Msg::Destroy:
      // The cursor comes back with the window's end: on X11 only the saver window hides it.
      if (fullScreen) OnSaverEnd();
      else OnPreviewEnd();
      m_hSaverWnd = 0;
      break;
    case Msg::Size:
      if (renderer_) {
        renderer_->ResizeViewport(platform::LowWord(message.lParam), platform::HighWord(message.lParam));
      }
      break;
    case Msg::Activate:
    case Msg::ActivateApp:
    case Msg::NcActivate:
      if (message.wParam == 0) services_.windows.SendMessage(window, Msg::Close);
      break;
    case Msg::Close:
      services_.windows.DestroyWindow(window);
      break;
    case Msg::KeyDown:
    case Msg::SysKeyDown:
    case Msg::LButtonDown:
    case Msg::RButtonDown:
    case Msg::MButtonDown:
      if (fullScreen) CloseByUser(window);
      break;
    case Msg::MouseMove:
      if (fullScreen && !options_.IgnoreMouseMove &&
          MouseMoveEndsSaver(saverState_.MouseStart, platform::SignedLowWord(message.lParam),
                             platform::SignedHighWord(message.lParam))) {
        CloseByUser(window);
      }
      break;
    case Msg::SysCommand:
    case Msg::NcDestroy:
      break;  // swallowed: no system command reaches the default handling
    case Msg::Paint:
    case Msg::Other:
      break;  // the default handling: the window paints nothing itself
  }
}

void CTestScreensaver::RunCreationSequence(WindowHandle window, bool fullScreen) {
  // The cursor was hidden with the window (X11 keeps it per window).
  FindDataFolder(services_.keys, services_.boxes, dataFolder_);
  settings::LoadOptions(options_, dataFolder_, "options.xml", services_.boxes);
  if (fullScreen) options_.RunCount = options_.RunCount + 1;
  settings::SaveOptions(options_, dataFolder_, "options.xml");
  if (!renderer_) return;
  renderer_->SetupPixelFormat(window);
  renderer_->CreateContext(window);
  renderer_->InitRenderer();
}

void CTestScreensaver::CloseByUser(WindowHandle window) {
  PromptContext prompts{options_, dataFolder_, services_.boxes, services_.system, services_.windows, today_};
  ShowClosingPrompts(prompts, window);
  services_.windows.SendMessage(window, Msg::Close);
}

void CTestScreensaver::DrawFrameIfDue() {
  const std::int64_t now = services_.system.MillisecondsSinceStart();
  const bool drawn = host::DrawFrameIfDue(now, saverState_.LastFrameTime, [this] {
    if (renderer_) renderer_->RenderFrame();
  });
  if (drawn) frameLog_.Record(now, services_.system.MillisecondsSinceStart());
}

}  // namespace aerolume::host
