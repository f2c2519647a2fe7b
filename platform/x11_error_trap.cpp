#include "platform/x11_error_trap.h"

namespace aerolume::platform {
namespace {

// Errors since the innermost trap began.
int trappedErrors = 0;

int RecordXError(Display*, XErrorEvent*) {
  ++trappedErrors;
  return 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);
  previous_ = XSetErrorHandler(RecordXError);
  trappedErrors = 0;
}

X11ErrorTrap::~X11ErrorTrap() { XSetErrorHandler(previous_); }

bool X11ErrorTrap::Failed() {
  XSync(display_, False);
  return trappedErrors != 0;
}

void IgnoreXErrors() { XSetErrorHandler(RecordXError); }

}  // namespace aerolume::platform
