// A real GL context for tests that draw, on the display named by DISPLAY (a private Xvfb under
// tests/with-xvfb), current for the lifetime of the object.
#pragma once

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <array>

namespace aerolume::render::testing {

class OffscreenGlContext {
 public:
  // A double-buffered window that is never mapped: drawing goes to its back buffer, which is
  // read back and never swapped.
  OffscreenGlContext(int width, int height) : width_(width), height_(height) {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) return;
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8,
                        GLX_BLUE_SIZE, 8, None};
    XVisualInfo* visual = glXChooseVisual(display_, DefaultScreen(display_), attributes);
    if (visual == nullptr) return;
    const Window root = RootWindow(display_, visual->screen);
    XSetWindowAttributes windowAttributes{};
    windowAttributes.colormap = colormap_ =
        XCreateColormap(display_, root, visual->visual, AllocNone);
    window_ = XCreateWindow(display_, root, 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), 0, visual->depth, InputOutput,
                            visual->visual, CWColormap, &windowAttributes);
    context_ = glXCreateContext(display_, visual, nullptr, True);
    XFree(visual);
    if (window_ == 0 || context_ == nullptr) return;
    ready_ = glXMakeCurrent(display_, window_, context_) == True;
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
  }

  ~OffscreenGlContext() {
    if (display_ == nullptr) return;
    glXMakeCurrent(display_, None, nullptr);
    if (context_ != nullptr) glXDestroyContext(display_, context_);
    if (window_ != 0) XDestroyWindow(display_, window_);
    if (colormap_ != 0) XFreeColormap(display_, colormap_);
    XCloseDisplay(display_);
  }

  OffscreenGlContext(const OffscreenGlContext&) = delete;
  OffscreenGlContext& operator=(const OffscreenGlContext&) = delete;

  bool Ready() const { return ready_; }

  // The RGBA of the pixel at (x, y), counted from the bottom-left corner.
  std::array<int, 4> PixelAt(int x, int y) const {
    unsigned char rgba[4] = {};
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
  }

  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_, height_;
  Display* display_ = nullptr;
  Colormap colormap_ = 0;
  Window window_ = 0;
  GLXContext context_ = nullptr;
  bool ready_ = false;
};

}  // namespace aerolume::render::testing
