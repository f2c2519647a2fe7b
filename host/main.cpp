// aerolume: the screen saver program. The application object comes first, so that the data folder
// and the options are known (and their problems reported) before the mode runs.
#include "host/glx_saver_renderer.h"
#include "host/run_mode.h"
#include "host/test_screensaver.h"
#include "platform/key_store.h"
#include "platform/message_boxes.h"
#include "platform/system_services.h"
#include "platform/x11_window_system.h"

int main(int argc, char** argv) {
  using namespace aerolume;
  platform::XdgKeyStore keys;
  platform::DesktopMessageBoxes boxes;
  platform::LinuxSystemServices system;
  platform::X11WindowSystem windows;  // opens the display only when a window is needed
  // The sky renderer is made once the data folder and the options are known.
  host::CTestScreensaver app({keys, boxes, system, windows},
                             [&](const std::string& dataFolder, settings::SaverOptions& options) {
                               return std::make_unique<host::GlxSaverRenderer>(windows, dataFolder,
                                                                               options, boxes);
                             });
  app.InitInstance(host::LoweredCommandLine(argc, argv));
  return 0;
}
