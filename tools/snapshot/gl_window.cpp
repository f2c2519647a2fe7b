#include "tools/snapshot/gl_window.h"

#include "render/chosen_visual.h"

#include <X11/Xlib.h>

namespace aerolume::tools {

GlWindow::~GlWindow() {
  if (display_ == nullptr) return;
  render::DestroyContext(display_, context_);
  if (window_ != 0) XDestroyWindow(display_, window_);
  if (colormap_ != 0) XFreeColormap(display_, colormap_);
  XCloseDisplay(display_);
}

std::string GlWindow::Open(int width, int height) {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) return "cannot open the X display (is DISPLAY set?)";
  const int screen = DefaultScreen(display_);
  choice_ = render::ChoosePixelFormat(display_, screen);
  if (!choice_) return "the X display offers no double-buffered RGBA OpenGL visual";
  render::VisualInfoPtr visual = render::ChosenVisual(display_, *choice_);
  if (!visual) return "the chosen OpenGL configuration has no X visual";

  const Window root = RootWindow(display_, screen);
  colormap_ = XCreateColormap(display_, root, visual->visual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.colormap = colormap_;
  attributes.border_pixel = 0;
  attributes.override_redirect = True;  // no window manager placement or decoration
  attributes.event_mask = StructureNotifyMask;
  window_ = XCreateWindow(display_, root, 0, 0, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), 0, visual->depth, InputOutput,
                          visual->visual, CWColormap | CWBorderPixel | CWOverrideRedirect | CWEventMask,
                          &attributes);
  XMapWindow(display_, window_);
  XEvent event;
  do {
    XWindowEvent(display_, window_, StructureNotifyMask, &event);
  } while (event.type != MapNotify);

  context_ = render::CreateCurrentContext(Dc(), *choice_);
  if (context_ == nullptr) return "cannot create an OpenGL context for the window";
  return {};
}

}  // namespace aerolume::tools
