// What a saver window asks of the sky renderer, in the order it asks. The program's own is
// GlxSaverRenderer; tests record the calls instead of drawing.
#pragma once

#include <cstdint>

#include "platform/system_services.h"

namespace aerolume::host {

class SaverRenderer {
 public:
  virtual ~SaverRenderer() = default;

  // Runs before the window exists: the visual it must be created with (0: the default one).
  virtual std::uint64_t ChooseVisual() = 0;
  // The creation sequence, in this order: the pixel format, a GL context made current, the
  // renderer's one-time set-up.
  virtual void SetupPixelFormat(platform::WindowHandle window) = 0;
  virtual void CreateContext(platform::WindowHandle window) = 0;
  virtual void InitRenderer() = 0;

  virtual void ResizeViewport(int width, int height) = 0;
  // Draws and presents one frame.
  virtual void RenderFrame() = 0;
};

}  // namespace aerolume::host
