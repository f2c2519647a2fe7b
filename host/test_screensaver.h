// The concrete saver: the one application object of the process and the records it keeps.
#pragma once

#include <string>

#include "host/screensaver_app.h"
#include "settings/saver_options.h"

namespace aerolume::host {

class CTestScreensaver : public CScreensaverApp {
 public:
  // Finds the data folder, then reads "options.xml": the first things the program does.
  explicit CTestScreensaver(AppServices services);

  const std::string& DataFolder() const { return dataFolder_; }
  settings::SaverOptions& Options() { return options_; }

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

 private:
  std::string dataFolder_;  // the installation's data folder, ending with "/"; empty until found
  settings::SaverOptions options_;
};

}  // namespace aerolume::host
