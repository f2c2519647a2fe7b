// The concrete saver: the one application object of the process and the records it keeps.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host/closing_prompts.h"
#include "host/frame_pump.h"
#include "host/saver_renderer.h"
#include "host/saver_window.h"
#include "host/screensaver_app.h"
#include "settings/saver_options.h"

namespace aerolume::host {

class CTestScreensaver : public CScreensaverApp {
 public:
  // Makes the renderer once the data folder and options are known; both outlive it.
  using RendererFactory = std::function<std::unique_ptr<SaverRenderer>(
      const std::string& dataFolder, settings::SaverOptions& options)>;

  // Finds the data folder, then reads "options.xml": the first things the program does. Without a
  // renderer factory the saver windows are made and run but nothing is drawn in them.
  explicit CTestScreensaver(AppServices services, const RendererFactory& makeRenderer = {},
                            TodayFunction today = TodayFromLocalTime);

  const std::string& DataFolder() const { return dataFolder_; }
  settings::SaverOptions& Options() { return options_; }

  // The saver window (saver_window.cpp).
  std::string RegisterSaverClass();
  platform::WindowHandle MakeSaverWindow(bool fullScreen, platform::WindowHandle parent);
  void SaverWindowProc(const platform::WindowMessage& message);
  // Draws a frame when more than 10 ms have passed since the last one.
  void DrawFrameIfDue();

 protected:
  platform::WindowHandle CreateSaverWindow() override;
  void OnSaverFrame() override;
  void OnSaverEnd() override;
  void OnSaverResume() override {}
  void DoConfigure() override;
  platform::WindowHandle CreatePreviewWindow(platform::WindowHandle parent) override;
  void OnPreviewFrame() override;
  void OnPreviewEnd() override;
  void OnPreviewResume() override {}
  std::string GetMakerName() override { return "Brightfold"; }

  platform::WindowHandle m_hSaverWnd = 0;
  bool m_bActive = false;
  SaverWindowState saverState_;

 private:
  // Steps of the saver window (saver_window.cpp).
  void RunCreationSequence(platform::WindowHandle window, bool fullScreen);
  // Closing by key, button or movement: the prompts, then the window closes.
  void CloseByUser(platform::WindowHandle window);

  std::string dataFolder_;  // the installation's data folder, ending with "/"; empty until found
  settings::SaverOptions options_;
  std::unique_ptr<SaverRenderer> renderer_;
  TodayFunction today_;
  FrameLog frameLog_;
};

}  // namespace aerolume::host
