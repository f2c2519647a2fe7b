#include "platform/x11_window_system.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/dpms.h>

#include <chrono>
#include <thread>

#include "platform/x11_error_trap.h"

namespace aerolume::platform {
namespace {

std::int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// How long a foreign window's state is trusted without asking the server; events about it
// (unmap, destroy, map) make us ask at once.
constexpr std::int64_t kForeignRecheckMs = 50;
// DPMS has no events: its state is polled, this often.
constexpr std::int64_t kPowerPollMs = 250;

// Motif window-manager hints, the one way to ask for a title bar without system buttons.
struct MotifHints {
  unsigned long flags, functions, decorations;
  long inputMode;
  unsigned long status;
};
constexpr unsigned long kMwmHintsFunctions = 1, kMwmHintsDecorations = 2;
constexpr unsigned long kMwmFuncMove = 4;
constexpr unsigned long kMwmDecorBorder = 2, kMwmDecorTitle = 8;

constexpr long kSaverEventMask = KeyPressMask | ButtonPressMask | PointerMotionMask | ExposureMask |
                                 StructureNotifyMask | FocusChangeMask;

}  // namespace

X11WindowSystem::~X11WindowSystem() {
  if (display_) XCloseDisplay(display_);
}

Display* X11WindowSystem::XDisplay() {
  if (!openTried_) {
    openTried_ = true;
    display_ = XOpenDisplay(nullptr);
    if (display_) {
      IgnoreXErrors();
      deleteWindowAtom_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
      int event = 0, error = 0;
      dpmsUsable_ = DPMSQueryExtension(display_, &event, &error) && DPMSCapable(display_);
    }
  }
  return display_;
}

int X11WindowSystem::XScreen() {
  Display* display = XDisplay();
  return display ? DefaultScreen(display) : 0;
}

ScreenSize X11WindowSystem::GetScreenSize() {
  Display* display = XDisplay();
  if (!display) return {};
  return {DisplayWidth(display, XScreen()), DisplayHeight(display, XScreen())};
}

WindowHandle X11WindowSystem::CreateSaverWindow(bool fullScreen, WindowHandle parent,
                                                std::uint64_t visualId, WindowProc proc) {
  Display* display = XDisplay();
  if (!display) return 0;
  const int screen = XScreen();
  const ::Window root = RootWindow(display, screen);

  int width = DisplayWidth(display, screen), height = DisplayHeight(display, screen);
  ::Window xParent = root;
  if (!fullScreen) {
    XWindowAttributes parentAttributes;
    X11ErrorTrap trap(display);
    if (!parent || !XGetWindowAttributes(display, parent, &parentAttributes) || trap.Failed()) return 0;
    xParent = parent;
    width = parentAttributes.width;
    height = parentAttributes.height;
  }

  Visual* visual = DefaultVisual(display, screen);
  int depth = DefaultDepth(display, screen);
  if (visualId) {
    XVisualInfo wanted{};
    wanted.visualid = visualId;
    int count = 0;
    if (XVisualInfo* found = XGetVisualInfo(display, VisualIDMask, &wanted, &count)) {
      visual = found->visual;
      depth = found->depth;
      XFree(found);
    }
  }

  XSetWindowAttributes attributes{};
  attributes.colormap = XCreateColormap(display, root, visual, AllocNone);
  attributes.border_pixel = 0;
  attributes.background_pixmap = None;  // the window paints nothing itself; frames cover it
  attributes.override_redirect = fullScreen ? True : False;
  attributes.event_mask = kSaverEventMask;
  const unsigned long mask = CWColormap | CWBorderPixel | CWBackPixmap | CWOverrideRedirect | CWEventMask;

  ::Window window = 0;
  {
    X11ErrorTrap trap(display);
    window = XCreateWindow(display, xParent, 0, 0, width > 0 ? width : 1, height > 0 ? height : 1, 0,
                           depth, InputOutput, visual, mask, &attributes);
    if (trap.Failed()) window = 0;
  }
  if (!window) return 0;

  if (!fullScreen) {
    // Follow the parent's size and learn at once when it is hidden or destroyed.
    X11ErrorTrap trap(display);
    XSelectInput(display, xParent, StructureNotifyMask);
    if (trap.Failed()) {
      XDestroyWindow(display, window);
      return 0;
    }
    foreign_[parent] = ForeignWindow{.watched = true};
  } else {
    HideCursor(window);
  }

  OwnWindow& own = own_[window];
  own.proc = std::move(proc);
  own.fullScreen = fullScreen;
  own.parent = fullScreen ? 0 : parent;
  own.width = width;
  own.height = height;

  own.proc({window, Msg::Create, 0, 0});
  if (!own_.count(window)) return 0;  // destroyed while being created
  own_[window].proc({window, Msg::Size, 0, MakeLParam(width, height)});
  if (!own_.count(window)) return 0;

  if (fullScreen) {
    XMapRaised(display, window);
    XSync(display, False);
    GrabInput(window);
    // The pointer's place when the window appears is the first position reported to it, so that
    // the movement rule measures from where the pointer was.
    ::Window rootReturn, childReturn;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int buttons = 0;
    if (XQueryPointer(display, window, &rootReturn, &childReturn, &rootX, &rootY, &x, &y, &buttons)) {
      posted_.push_back({window, Msg::MouseMove, 0, MakeLParam(x, y)});
    }
  } else {
    XMapWindow(display, window);
    XFlush(display);
  }
  return window;
}

void X11WindowSystem::GrabInput(unsigned long window) {
  Display* display = display_;
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  // Another program may hold a grab for a moment (an open menu); keep trying for about a second.
  bool keyboard = false, pointer = false;
  for (int attempt = 0; attempt < 100 && !(keyboard && pointer); ++attempt) {
    if (!keyboard) {
      keyboard = XGrabKeyboard(display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime) ==
                 GrabSuccess;
    }
    if (!pointer) {
      pointer = XGrabPointer(display, window, False, ButtonPressMask | PointerMotionMask,
                             GrabModeAsync, GrabModeAsync, None, invisibleCursor_, CurrentTime) ==
                GrabSuccess;
    }
    if (!(keyboard && pointer)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  XFlush(display);
}

void X11WindowSystem::HideCursor(unsigned long window) {
  Display* display = display_;
  if (!invisibleCursor_) {
    static const char kBlank[1] = {0};
    const Pixmap blank = XCreateBitmapFromData(display, window, kBlank, 1, 1);
    XColor black{};
    invisibleCursor_ = XCreatePixmapCursor(display, blank, blank, &black, &black, 0, 0);
    XFreePixmap(display, blank);
  }
  XDefineCursor(display, window, invisibleCursor_);
}

WindowHandle X11WindowSystem::CreateTestWindow(const std::string& title, int x, int y, int width,
                                               int height) {
  Display* display = XDisplay();
  if (!display) return 0;
  const int screen = XScreen();
  const ::Window window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y,
                                              width > 0 ? width : 1, height > 0 ? height : 1, 0,
                                              BlackPixel(display, screen), BlackPixel(display, screen));
  XStoreName(display, window, title.c_str());
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = x;
  hints.y = y;
  hints.width = width;
  hints.height = height;
  XSetWMNormalHints(display, window, &hints);
  MotifHints motif{kMwmHintsFunctions | kMwmHintsDecorations, kMwmFuncMove,
                   kMwmDecorBorder | kMwmDecorTitle, 0, 0};
  const Atom motifAtom = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(display, window, motifAtom, motifAtom, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&motif), 5);
  Atom protocols[] = {deleteWindowAtom_};
  XSetWMProtocols(display, window, protocols, 1);
  XSelectInput(display, window, StructureNotifyMask | ExposureMask);
  own_[window] = OwnWindow{};
  own_[window].width = width;
  own_[window].height = height;
  return window;
}

void X11WindowSystem::ShowWindow(WindowHandle window) {
  if (!display_ || !own_.count(window)) return;
  XMapWindow(display_, window);
  XFlush(display_);
}

void X11WindowSystem::QueryForeign(WindowHandle window, ForeignWindow& known) {
  XWindowAttributes attributes;
  X11ErrorTrap trap(display_);
  // From the first question on, hear at once when it is shown, hidden or destroyed.
  if (!known.watched) XSelectInput(display_, window, StructureNotifyMask);
  known.watched = true;
  const bool found = XGetWindowAttributes(display_, window, &attributes) != 0;
  const bool failed = trap.Failed();
  known.exists = found && !failed;
  known.viewable = known.exists && attributes.map_state == IsViewable;
  known.checkedAtMs = NowMs();
}

bool X11WindowSystem::IsWindow(WindowHandle window) {
  if (!window) return false;
  if (own_.count(window)) return true;
  if (!XDisplay()) return false;
  ForeignWindow& known = foreign_[window];
  if (known.checkedAtMs < 0 || NowMs() - known.checkedAtMs > kForeignRecheckMs) {
    QueryForeign(window, known);
  }
  return known.exists;
}

bool X11WindowSystem::IsWindowVisible(WindowHandle window) {
  if (!IsWindow(window)) return false;
  if (auto own = own_.find(window); own != own_.end()) {
    return own->second.mapped && (!own->second.parent || IsWindowVisible(own->second.parent));
  }
  return foreign_[window].viewable;
}

std::optional<WindowMessage> X11WindowSystem::TakePosted(WindowHandle only) {
  for (auto it = posted_.begin(); it != posted_.end(); ++it) {
    if (only && it->window != only) continue;
    const WindowMessage message = *it;
    posted_.erase(it);
    return message;
  }
  return std::nullopt;
}

std::optional<WindowMessage> X11WindowSystem::PeekMessage(WindowHandle only) {
  if (auto message = TakePosted(only)) return message;
  if (!display_) return std::nullopt;
  if (!only) {
    PollMonitorPower();
    if (auto message = TakePosted(0)) return message;
  }
  XEvent event;
  if (only) {
    auto forWindow = [](Display*, XEvent* e, XPointer arg) -> Bool {
      return e->xany.window == *reinterpret_cast<WindowHandle*>(arg) ? True : False;
    };
    while (XCheckIfEvent(display_, &event, forWindow, reinterpret_cast<XPointer>(&only))) {
      if (auto message = Translate(event)) return message;
    }
    return std::nullopt;
  }
  while (XPending(display_) > 0) {
    XNextEvent(display_, &event);
    if (auto message = Translate(event)) return message;
    if (auto message = TakePosted(0)) return message;
  }
  return std::nullopt;
}

void X11WindowSystem::PollMonitorPower() {
  if (!dpmsUsable_) return;
  const std::int64_t nowMs = NowMs();
  if (lastPowerPollMs_ >= 0 && nowMs - lastPowerPollMs_ < kPowerPollMs) return;
  lastPowerPollMs_ = nowMs;
  CARD16 level = DPMSModeOn;
  BOOL enabled = False;
  if (!DPMSInfo(display_, &level, &enabled)) return;
  const auto reading = static_cast<PowerLevel>(level);
  const PowerChange change = PowerTransition(lastPowerLevel_, reading);
  lastPowerLevel_ = reading;
  // The system command goes to every window the program shows a sky in. X keeps the picture of a
  // window while the monitor sleeps, so no exposure follows its return: a paint stands in for it.
  for (const auto& [window, own] : own_) {
    if (!own.proc) continue;
    if (change == PowerChange::LowPower) posted_.push_back({window, Msg::SysCommand, kScMonitorPower, 1});
    if (change == PowerChange::Off) posted_.push_back({window, Msg::SysCommand, kScMonitorPower, 2});
    if (change == PowerChange::BackOn) posted_.push_back({window, Msg::Paint, 0, 0});
  }
}

std::optional<WindowMessage> X11WindowSystem::Translate(XEvent& event) {
  const WindowHandle window = event.xany.window;

  // A preview fills its parent, whoever made the parent.
  if (event.type == ConfigureNotify) {
    for (const auto& [child, own] : own_) {
      if (own.parent != window) continue;
      XResizeWindow(display_, child, event.xconfigure.width, event.xconfigure.height);
    }
  }

  // Structure events about a preview's parent of another program.
  if (!own_.count(window)) {
    auto known = foreign_.find(window);
    if (known == foreign_.end()) return std::nullopt;
    switch (event.type) {
      case DestroyNotify:
        known->second.exists = false;
        known->second.viewable = false;
        known->second.checkedAtMs = NowMs();
        break;
      case UnmapNotify:
      case MapNotify:
      case ReparentNotify:
        known->second.checkedAtMs = -1;  // viewable depends on ancestors too: ask the server
        break;
      default:
        break;
    }
    return std::nullopt;
  }

  OwnWindow& own = own_[window];
  switch (event.type) {
    case KeyPress:
      return WindowMessage{window, (event.xkey.state & Mod1Mask) ? Msg::SysKeyDown : Msg::KeyDown,
                           static_cast<std::int64_t>(event.xkey.keycode), 0};
    case ButtonPress: {
      Msg message = Msg::Other;
      if (event.xbutton.button == Button1) message = Msg::LButtonDown;
      else if (event.xbutton.button == Button2) message = Msg::MButtonDown;
      else if (event.xbutton.button == Button3) message = Msg::RButtonDown;
      return WindowMessage{window, message, 0, MakeLParam(event.xbutton.x, event.xbutton.y)};
    }
    case MotionNotify:
      return WindowMessage{window, Msg::MouseMove, 0, MakeLParam(event.xmotion.x, event.xmotion.y)};
    case Expose:
      if (event.xexpose.count != 0) return std::nullopt;
      return WindowMessage{window, Msg::Paint, 0, 0};
    case ConfigureNotify:
      if (event.xconfigure.width == own.width && event.xconfigure.height == own.height) return std::nullopt;
      own.width = event.xconfigure.width;
      own.height = event.xconfigure.height;
      return WindowMessage{window, Msg::Size, 0, MakeLParam(own.width, own.height)};
    case FocusOut: {
      // Only a real move of the focus elsewhere: not our own grabs, not within the window.
      const bool realMove = event.xfocus.mode == NotifyNormal || event.xfocus.mode == NotifyWhileGrabbed;
      const bool leftWindow = event.xfocus.detail == NotifyAncestor || event.xfocus.detail == NotifyVirtual ||
                              event.xfocus.detail == NotifyNonlinear ||
                              event.xfocus.detail == NotifyNonlinearVirtual;
      if (own.fullScreen && realMove && leftWindow) return WindowMessage{window, Msg::Activate, 0, 0};
      return std::nullopt;
    }
    case MapNotify:
      own.mapped = true;
      return std::nullopt;
    case UnmapNotify:
      // The program never unmaps its own windows: someone else hid it.
      own.mapped = false;
      if (own.fullScreen) return WindowMessage{window, Msg::Activate, 0, 0};
      return std::nullopt;
    case DestroyNotify:
      // Destroyed from outside, with its parent: the procedure hears of it as of any destruction.
      if (event.xdestroywindow.window == window) {
        WindowProc proc = own.proc;
        if (proc) proc({window, Msg::Destroy, 0, 0});
        if (proc) proc({window, Msg::NcDestroy, 0, 0});
        ForgetWindow(window);
      }
      return std::nullopt;
    case ClientMessage:
      if (static_cast<unsigned long>(event.xclient.data.l[0]) == deleteWindowAtom_) {
        return WindowMessage{window, Msg::Close, 0, 0};
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void X11WindowSystem::DispatchMessage(const WindowMessage& message) {
  auto own = own_.find(message.window);
  if (own == own_.end()) return;
  if (own->second.proc) {
    WindowProc proc = own->second.proc;  // the procedure may destroy its window
    proc(message);
  } else if (message.message == Msg::Close) {
    DestroyWindow(message.window);  // the test window's default: closing destroys it
  }
}

void X11WindowSystem::SendMessage(WindowHandle window, Msg message, std::int64_t wParam,
                                  std::int64_t lParam) {
  DispatchMessage({window, message, wParam, lParam});
}

void X11WindowSystem::DestroyWindow(WindowHandle window) {
  auto own = own_.find(window);
  if (own == own_.end() || !display_) return;
  WindowProc proc = own->second.proc;
  if (proc) proc({window, Msg::Destroy, 0, 0});
  if (!own_.count(window)) return;  // destroyed again from inside its procedure
  ForgetWindow(window);
  XDestroyWindow(display_, window);
  XFlush(display_);
  if (proc) proc({window, Msg::NcDestroy, 0, 0});
}

void X11WindowSystem::ForgetWindow(WindowHandle window) {
  own_.erase(window);
  std::erase_if(posted_, [window](const WindowMessage& m) { return m.window == window; });
}

void X11WindowSystem::LowerBelowDialogs(WindowHandle window) {
  if (!display_ || !own_.count(window)) return;
  XUngrabKeyboard(display_, CurrentTime);
  XUngrabPointer(display_, CurrentTime);
  XLowerWindow(display_, window);
  XFlush(display_);
}

}  // namespace aerolume::platform
