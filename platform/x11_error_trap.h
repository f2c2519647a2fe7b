// Runs X requests that may fail (a window of another program that has gone, a format a window
// cannot take) without Xlib's default handler ending the process. For X11 implementation files
// only: it brings in Xlib's header and its macros.
#pragma once

#include <X11/Xlib.h>

namespace aerolume::platform {

// Collects the X errors of the requests made during its life. Puts its own handler in place each
// time, since a toolkit may have replaced it, and the previous one back afterwards.
class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // True when any request since construction failed.
  bool Failed();

 private:
  Display* display_;
  XErrorHandler previous_;
};

// Installs a handler that only records errors, for errors outside any trap.
void IgnoreXErrors();

}  // namespace aerolume::platform
