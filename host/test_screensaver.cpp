#include "host/test_screensaver.h"

#include "host/data_folder.h"
#include "settings/options_file.h"

namespace aerolume::host {

CTestScreensaver::CTestScreensaver(AppServices services) : CScreensaverApp(services) {
  FindDataFolder(services_.keys, services_.boxes, dataFolder_);
  settings::LoadOptions(options_, dataFolder_, "options.xml", services_.boxes);
}

platform::WindowHandle CTestScreensaver::CreateSaverWindow() {
  // The full-screen saver window arrives with the window layer.
  return 0;
}

void CTestScreensaver::OnSaverFrame() {}

void CTestScreensaver::OnSaverEnd() {
  if (m_bActive) m_bActive = false;
}

void CTestScreensaver::DoConfigure() {
  // The configuration window arrives with the dialog toolkit pages.
}

platform::WindowHandle CTestScreensaver::CreatePreviewWindow(platform::WindowHandle) {
  return 0;
}

void CTestScreensaver::OnPreviewFrame() {}

void CTestScreensaver::OnPreviewEnd() {
  if (m_bActive) m_bActive = false;
}

}  // namespace aerolume::host
