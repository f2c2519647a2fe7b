// The X visual of a pixel-format choice, for the window layer that creates the window with it.
// Kept apart from gl_setup.h because it needs Xlib's header and its macros.
#pragma once

#include <GL/glx.h>

#include <memory>

#include "render/gl_setup.h"

namespace aerolume::render {

struct XFreeDeleter {
  void operator()(XVisualInfo* info) const {
    if (info != nullptr) XFree(info);
  }
};
using VisualInfoPtr = std::unique_ptr<XVisualInfo, XFreeDeleter>;

// The visual (and its depth) to create the window with; null without a config.
inline VisualInfoPtr ChosenVisual(Display* display, const PixelFormatChoice& choice) {
  if (display == nullptr || choice.config == nullptr) return nullptr;
  return VisualInfoPtr(glXGetVisualFromFBConfig(display, choice.config));
}

}  // namespace aerolume::render
