// A window of "another program" for the end-to-end tests: a preview's parent that the test can
// show, hide, resize, focus and destroy, and the display's power state that it can force.
//
//   x_window_helper [--hidden] X Y WIDTH HEIGHT
//
// Prints the window's id in decimal, then obeys one command a line on standard input and answers
// each with "ok" once the server has done it: map, unmap, resize W H, focus, destroy,
// dpms off|suspend|standby|on. Ends at the end of its input.
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// Forces the monitor's power level; false when the server has no DPMS.
bool ForcePower(Display* display, const std::string& level) {
  int event = 0, error = 0;
  if (!DPMSQueryExtension(display, &event, &error) || !DPMSCapable(display)) return false;
  DPMSEnable(display);
  CARD16 mode = DPMSModeOn;
  if (level == "off") mode = DPMSModeOff;
  else if (level == "suspend") mode = DPMSModeSuspend;
  else if (level == "standby") mode = DPMSModeStandby;
  return DPMSForceLevel(display, mode) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const bool hidden = argc > 1 && std::string(argv[1]) == "--hidden";
  if (hidden) ++first;
  if (argc - first != 4) {
    std::fprintf(stderr, "usage: %s [--hidden] X Y WIDTH HEIGHT\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "x_window_helper: no display\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(
      display, RootWindow(display, screen), std::stoi(argv[first]), std::stoi(argv[first + 1]),
      std::stoi(argv[first + 2]), std::stoi(argv[first + 3]), 0, BlackPixel(display, screen),
      BlackPixel(display, screen));
  XStoreName(display, window, "aerolume test parent");
  if (!hidden) XMapWindow(display, window);
  XSync(display, False);
  std::cout << window << std::endl;

  std::string line;
  bool destroyed = false;
  while (std::getline(std::cin, line)) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    bool done = true;
    if (command == "map") {
      XMapWindow(display, window);
    } else if (command == "unmap") {
      XUnmapWindow(display, window);
    } else if (command == "resize") {
      unsigned width = 0, height = 0;
      words >> width >> height;
      XResizeWindow(display, window, width, height);
    } else if (command == "focus") {
      XMapRaised(display, window);
      XSync(display, False);
      XSetInputFocus(display, window, RevertToParent, CurrentTime);
    } else if (command == "destroy" && !destroyed) {
      XDestroyWindow(display, window);
      destroyed = true;
    } else if (command == "dpms") {
      std::string level;
      words >> level;
      done = ForcePower(display, level);
    } else {
      done = false;
    }
    XSync(display, False);
    std::cout << (done ? "ok" : "failed") << std::endl;
  }
  XCloseDisplay(display);
  return 0;
}
