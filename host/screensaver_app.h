// The reusable screen-saver framework: start-up mode dispatch and the run loops, with ten hooks
// that a concrete saver supplies.
#pragma once

#include <string>
#include <string_view>

#include "host/run_mode.h"
#include "platform/window_system.h"

namespace aerolume::platform {
class KeyStore;
class MessageBoxes;
class SystemServices;
}  // namespace aerolume::platform

namespace aerolume::host {

// The desktop services the application object works through; fakes in the tests.
struct AppServices {
  platform::KeyStore& keys;
  platform::MessageBoxes& boxes;
  platform::SystemServices& system;
  platform::WindowSystem& windows;
};

class CScreensaverApp {
 public:
  explicit CScreensaverApp(AppServices services) : services_(services) {}
  virtual ~CScreensaverApp() = default;
  CScreensaverApp(const CScreensaverApp&) = delete;
  CScreensaverApp& operator=(const CScreensaverApp&) = delete;

  // Runs the mode the lowered command line selects, with the saver-running flag on around it.
  // Always false: the process then ends.
  bool InitInstance(std::string_view loweredCommandLine);

  void RunSaver();
  bool VerifyPassword(platform::WindowHandle window);
  void RunPreview(platform::WindowHandle parent);
  platform::WindowHandle CreatePreviewTestWindow();
  void ChangePassword();

 protected:
  // The hooks, in their fixed order.
  virtual platform::WindowHandle CreateSaverWindow() = 0;
  virtual void OnSaverFrame() = 0;
  virtual void OnSaverEnd() = 0;
  virtual void OnSaverResume() = 0;
  virtual void DoConfigure() = 0;
  virtual platform::WindowHandle CreatePreviewWindow(platform::WindowHandle parent) = 0;
  virtual void OnPreviewFrame() = 0;
  virtual void OnPreviewEnd() = 0;
  virtual void OnPreviewResume() = 0;
  virtual std::string GetMakerName() = 0;

  AppServices services_;
};

}  // namespace aerolume::host
