// The sky renderer behind a saver window on X11: the GLX pixel format chosen before the window is
// made, a context for it, and the frame routine.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/saver_renderer.h"
#include "render/gl_setup.h"

namespace aerolume::platform {
class MessageBoxes;
class X11WindowSystem;
}  // namespace aerolume::platform
namespace aerolume::render {
class Renderer;
}
namespace aerolume::settings {
struct SaverOptions;
}

namespace aerolume::host {

class GlxSaverRenderer final : public SaverRenderer {
 public:
  // dataFolder and options are the application object's records; all arguments outlive this.
  GlxSaverRenderer(platform::X11WindowSystem& windows, const std::string& dataFolder,
                   settings::SaverOptions& options, platform::MessageBoxes& boxes);
  ~GlxSaverRenderer() override;

  std::uint64_t ChooseVisual() override;
  void SetupPixelFormat(platform::WindowHandle window) override;
  void CreateContext(platform::WindowHandle window) override;
  void InitRenderer() override;
  void ResizeViewport(int width, int height) override;
  void RenderFrame() override;

 private:
  platform::X11WindowSystem& windows_;
  const std::string& dataFolder_;
  settings::SaverOptions& options_;
  platform::MessageBoxes& boxes_;
  std::optional<render::PixelFormatChoice> choice_;
  // Made at the pixel-format step, once the window's creation has read the data folder again.
  std::unique_ptr<render::Renderer> renderer_;
  GLXContext context_ = nullptr;
};

}  // namespace aerolume::host
