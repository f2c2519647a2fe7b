#include "host/test_screensaver.h"

#include "host/data_folder.h"
#include "settings/options_file.h"

namespace aerolume::host {

CTestScreensaver::CTestScreensaver(AppServices services, const RendererFactory& makeRenderer,
                                   TodayFunction today)
    : CScreensaverApp(services), today_(std::move(today)) {
  FindDataFolder(services_.keys, services_.boxes, dataFolder_);
  settings::LoadOptions(options_, dataFolder_, "options.xml", services_.boxes);
  if (makeRenderer) renderer_ = makeRenderer(dataFolder_, options_);
}

platform::WindowHandle CTestScreensaver::CreateSaverWindow() {
  saverState_.FullScreenMode = true;
  const platform::WindowHandle window = MakeSaverWindow(true, 0);
  if (window) m_bActive = true;
  return window;
}

void CTestScreensaver::OnSaverFrame() { DrawFrameIfDue(); }

void CTestScreensaver::OnSaverEnd() {
  if (m_bActive) m_bActive = false;
}

void CTestScreensaver::DoConfigure() {
  // The configuration window arrives with the dialog toolkit pages.
}

platform::WindowHandle CTestScreensaver::CreatePreviewWindow(platform::WindowHandle parent) {
  saverState_.FullScreenMode = false;
  const platform::WindowHandle window = MakeSaverWindow(false, parent);
  if (window) m_bActive = true;
  return window;
}

void CTestScreensaver::OnPreviewFrame() { DrawFrameIfDue(); }

void CTestScreensaver::OnPreviewEnd() {
  if (m_bActive) m_bActive = false;
}

}  // namespace aerolume::host
