#include "host/glx_saver_renderer.h"

#include "platform/x11_window_system.h"
#include "render/renderer.h"

namespace aerolume::host {

GlxSaverRenderer::GlxSaverRenderer(platform::X11WindowSystem& windows, const std::string& dataFolder,
                                   settings::SaverOptions& options, platform::MessageBoxes& boxes)
    : windows_(windows), dataFolder_(dataFolder), options_(options), boxes_(boxes) {}

GlxSaverRenderer::~GlxSaverRenderer() {
  if (context_) render::DestroyContext(windows_.XDisplay(), context_);
}

std::uint64_t GlxSaverRenderer::ChooseVisual() {
  Display* display = windows_.XDisplay();
  if (!display) return 0;
  choice_ = render::ChoosePixelFormat(display, windows_.XScreen());
  return choice_ ? choice_->visualId : 0;
}

void GlxSaverRenderer::SetupPixelFormat(platform::WindowHandle window) {
  if (!renderer_) renderer_ = std::make_unique<render::Renderer>(dataFolder_, options_, boxes_);
  renderer_->SetupPixelFormat({windows_.XDisplay(), window}, choice_);
}

void GlxSaverRenderer::CreateContext(platform::WindowHandle window) {
  // Without a pixel format there is nothing to make a context for; frames then draw nothing.
  if (!choice_) return;
  context_ = render::CreateCurrentContext({windows_.XDisplay(), window}, *choice_);
}

void GlxSaverRenderer::InitRenderer() {
  if (renderer_ && context_) renderer_->InitRenderer();
}

void GlxSaverRenderer::ResizeViewport(int width, int height) {
  if (renderer_ && context_) renderer_->ResizeViewport(width, height);
}

void GlxSaverRenderer::RenderFrame() {
  if (renderer_ && context_) renderer_->RenderFrame();
}

}  // namespace aerolume::host
