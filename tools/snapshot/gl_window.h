// A plain X window with the renderer's chosen pixel format and a current GL context, for the
// tools that draw skies outside the saver (snapshots, benchmarks). Any X display serves, Xvfb too.
#pragma once

#include <optional>
#include <string>

#include "render/gl_setup.h"

namespace aerolume::tools {

class GlWindow {
 public:
  GlWindow() = default;
  ~GlWindow();
  GlWindow(const GlWindow&) = delete;
  GlWindow& operator=(const GlWindow&) = delete;

  // Opens $DISPLAY, runs the pixel-format chain, creates and maps a width x height window with
  // the chosen visual and makes a context current on it. Empty on success, otherwise the reason.
  std::string Open(int width, int height);

  render::DeviceContext Dc() const { return {display_, window_}; }
  const std::optional<render::PixelFormatChoice>& Choice() const { return choice_; }

 private:
  Display* display_ = nullptr;
  unsigned long window_ = 0;
  unsigned long colormap_ = 0;
  std::optional<render::PixelFormatChoice> choice_;
  GLXContext context_ = nullptr;
};

}  // namespace aerolume::tools
