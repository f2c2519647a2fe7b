// The X11 window layer against a real X server (run under tests/with-xvfb): the windows it makes,
// how X events become saver messages, and windows of other programs that come and go. A second
// display connection plays the other programs and the user.
// gtest first: Xlib's macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/monitor_power.h"
#include "platform/x11_window_system.h"

namespace aerolume::platform {
namespace {

class X11Layer : public ::testing::Test {
 protected:
  void SetUp() override {
    other_ = XOpenDisplay(nullptr);
    ASSERT_NE(other_, nullptr) << "needs a display: run under tests/with-xvfb";
  }
  void TearDown() override {
    if (other_) XCloseDisplay(other_);
  }

  WindowProc Recorder() {
    return [this](const WindowMessage& m) { got_.push_back(m); };
  }
  // Drains the layer's queue, dispatching, until `done` holds (or a generous number of rounds).
  bool DrainUntil(const std::function<bool()>& done) {
    XSync(other_, False);
    for (int round = 0; round < 20000; ++round) {
      while (auto message = layer_.PeekMessage()) layer_.DispatchMessage(*message);
      if (done()) return true;
      XSync(layer_.XDisplay(), False);
    }
    return done();
  }
  bool Received(WindowHandle window, Msg message, std::int64_t wParam, std::int64_t lParam) {
    for (const WindowMessage& m : got_) {
      if (m.window == window && m.message == message && m.wParam == wParam && m.lParam == lParam) return true;
    }
    return false;
  }
  bool ReceivedKind(Msg message) {
    for (const WindowMessage& m : got_) {
      if (m.message == message) return true;
    }
    return false;
  }
  // A window of another program.
  Window OtherWindow(int width, int height, bool mapped) {
    const Window w = XCreateSimpleWindow(other_, DefaultRootWindow(other_), 20, 30, width, height, 0, 0, 0);
    if (mapped) XMapWindow(other_, w);
    XSync(other_, False);
    return w;
  }
  void Send(Window to, XEvent event) {
    event.xany.window = to;
    XSendEvent(other_, to, False, 0, &event);
    XSync(other_, False);
  }

  X11WindowSystem layer_;
  Display* other_ = nullptr;
  std::vector<WindowMessage> got_;
};

TEST_F(X11Layer, FullScreenWindowCoversTheScreenAndAnnouncesItself) {
  const ScreenSize screen = layer_.GetScreenSize();
  ASSERT_GT(screen.width, 0);
  const WindowHandle window = layer_.CreateSaverWindow(true, 0, 0, Recorder());
  ASSERT_NE(window, 0u);
  ASSERT_GE(got_.size(), 2u);
  EXPECT_EQ(got_[0].message, Msg::Create);
  EXPECT_EQ(got_[1].message, Msg::Size);
  EXPECT_EQ(got_[1].lParam, MakeLParam(screen.width, screen.height));

  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(other_, window, &attributes));
  EXPECT_EQ(attributes.x, 0);
  EXPECT_EQ(attributes.y, 0);
  EXPECT_EQ(attributes.width, screen.width);
  EXPECT_EQ(attributes.height, screen.height);
  EXPECT_TRUE(attributes.override_redirect) << "no window manager frame";
  EXPECT_EQ(attributes.map_state, IsViewable);
  EXPECT_TRUE(layer_.IsWindow(window));

  // The pointer's place when the window appeared is the first position it hears of.
  auto first = layer_.PeekMessage();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->message, Msg::MouseMove);

  // Input belongs to the saver: nobody else can grab the keyboard or the pointer.
  EXPECT_EQ(XGrabKeyboard(other_, DefaultRootWindow(other_), False, GrabModeAsync, GrabModeAsync, CurrentTime),
            AlreadyGrabbed);
}

struct InputCase {
  const char* name;
  int type;  // X event type
  unsigned int detail;  // key code or button
  unsigned int state;
  int x, y;
  int exposeCount;
  Msg expected;  // Msg::Create: nothing expected
  std::int64_t lParam;
};
void PrintTo(const InputCase& c, std::ostream* out) { *out << c.name; }  // names the case in test lists

class X11Input : public X11Layer, public ::testing::WithParamInterface<InputCase> {};

TEST_P(X11Input, BecomesTheSaverMessage) {
  const InputCase& c = GetParam();
  const WindowHandle window = layer_.CreateSaverWindow(true, 0, 0, Recorder());
  ASSERT_NE(window, 0u);
  DrainUntil([] { return true; });
  got_.clear();

  XEvent event{};
  event.type = c.type;
  if (c.type == KeyPress) {
    event.xkey.keycode = c.detail;
    event.xkey.state = c.state;
  } else if (c.type == ButtonPress) {
    event.xbutton.button = c.detail;
    event.xbutton.x = c.x;
    event.xbutton.y = c.y;
  } else if (c.type == MotionNotify) {
    event.xmotion.x = c.x;
    event.xmotion.y = c.y;
  } else if (c.type == Expose) {
    event.xexpose.count = c.exposeCount;
  }
  Send(window, event);
  // A marker after it: once the marker is through, so is everything before.
  XEvent marker{};
  marker.type = Expose;
  marker.xexpose.count = 0;
  Send(window, marker);
  ASSERT_TRUE(DrainUntil([&] { return ReceivedKind(Msg::Paint); }));

  std::vector<Msg> kinds;
  for (const WindowMessage& m : got_) kinds.push_back(m.message);
  if (c.expected == Msg::Create) {
    EXPECT_EQ(kinds, std::vector<Msg>{Msg::Paint});
  } else {
    ASSERT_EQ(kinds.size(), 2u);
    EXPECT_EQ(kinds[0], c.expected);
    if (c.expected == Msg::MouseMove) {
      EXPECT_EQ(got_[0].lParam, c.lParam);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Events, X11Input,
    ::testing::Values(InputCase{"Key", KeyPress, 38, 0, 0, 0, 0, Msg::KeyDown, 0},
                      InputCase{"AltKey", KeyPress, 38, Mod1Mask, 0, 0, 0, Msg::SysKeyDown, 0},
                      InputCase{"ShiftKey", KeyPress, 38, ShiftMask, 0, 0, 0, Msg::KeyDown, 0},
                      InputCase{"LeftButton", ButtonPress, Button1, 0, 5, 5, 0, Msg::LButtonDown, 0},
                      InputCase{"MiddleButton", ButtonPress, Button2, 0, 5, 5, 0, Msg::MButtonDown, 0},
                      InputCase{"RightButton", ButtonPress, Button3, 0, 5, 5, 0, Msg::RButtonDown, 0},
                      InputCase{"Wheel", ButtonPress, Button4, 0, 5, 5, 0, Msg::Other, 0},
                      InputCase{"Motion", MotionNotify, 0, 0, 700, 40, 0, Msg::MouseMove, MakeLParam(700, 40)},
                      InputCase{"MotionOffWindow", MotionNotify, 0, 0, -20, 3, 0, Msg::MouseMove, MakeLParam(-20, 3)},
                      InputCase{"LastExposure", Expose, 0, 0, 0, 0, 0, Msg::Paint, 0},
                      InputCase{"MoreExposuresToCome", Expose, 0, 0, 0, 0, 2, Msg::Create, 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(X11Layer, FocusTakenElsewhereDeactivates) {
  const WindowHandle window = layer_.CreateSaverWindow(true, 0, 0, Recorder());
  DrainUntil([] { return true; });
  const Window elsewhere = OtherWindow(50, 50, true);
  XSetInputFocus(other_, elsewhere, RevertToParent, CurrentTime);
  EXPECT_TRUE(DrainUntil([&] { return Received(window, Msg::Activate, 0, 0); }));
}

TEST_F(X11Layer, HiddenBySomeoneElseDeactivates) {
  const WindowHandle window = layer_.CreateSaverWindow(true, 0, 0, Recorder());
  DrainUntil([] { return true; });
  XUnmapWindow(other_, window);
  EXPECT_TRUE(DrainUntil([&] { return Received(window, Msg::Activate, 0, 0); }));
}

TEST_F(X11Layer, LoweredSaverLetsADialogAboveAndGivesUpInput) {
  const WindowHandle window = layer_.CreateSaverWindow(true, 0, 0, Recorder());
  DrainUntil([] { return true; });
  const Window dialog = OtherWindow(200, 100, true);
  layer_.LowerBelowDialogs(window);
  XSync(layer_.XDisplay(), False);

  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  ASSERT_TRUE(XQueryTree(other_, DefaultRootWindow(other_), &root, &parent, &children, &count));
  std::vector<Window> order(children, children + count);  // bottom first
  XFree(children);
  auto at = [&](Window w) { return std::find(order.begin(), order.end(), w) - order.begin(); };
  EXPECT_LT(at(window), at(dialog));
  EXPECT_EQ(XGrabKeyboard(other_, dialog, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
  XUngrabKeyboard(other_, CurrentTime);
}

TEST_F(X11Layer, PreviewFillsItsParentAndFollowsItUntilItGoes) {
  const Window parent = OtherWindow(300, 200, true);
  const WindowHandle child = layer_.CreateSaverWindow(false, parent, 0, Recorder());
  ASSERT_NE(child, 0u);
  EXPECT_TRUE(Received(child, Msg::Size, 0, MakeLParam(300, 200)));
  Window root, xparent, *children = nullptr;
  unsigned int count = 0;
  XQueryTree(other_, child, &root, &xparent, &children, &count);
  if (children) XFree(children);
  EXPECT_EQ(xparent, parent);
  EXPECT_TRUE(layer_.IsWindowVisible(parent));

  XResizeWindow(other_, parent, 400, 250);
  EXPECT_TRUE(DrainUntil([&] { return Received(child, Msg::Size, 0, MakeLParam(400, 250)); }));

  XUnmapWindow(other_, parent);
  EXPECT_TRUE(DrainUntil([&] { return !layer_.IsWindowVisible(parent); }));
  EXPECT_TRUE(layer_.IsWindow(parent));
  XMapWindow(other_, parent);
  EXPECT_TRUE(DrainUntil([&] { return layer_.IsWindowVisible(parent); }));

  XDestroyWindow(other_, parent);
  EXPECT_TRUE(DrainUntil([&] { return !layer_.IsWindow(parent); }));
  EXPECT_TRUE(DrainUntil([&] { return !layer_.IsWindow(child); }));
  EXPECT_TRUE(Received(child, Msg::Destroy, 0, 0)) << "the procedure hears of its end";
}

TEST_F(X11Layer, WindowsThatDoNotExistAreNoWindowsAndNoCrash) {
  const Window gone = OtherWindow(10, 10, true);
  XDestroyWindow(other_, gone);
  XSync(other_, False);
  for (WindowHandle id : {WindowHandle{0}, WindowHandle{gone}, WindowHandle{0x7ffffff}}) {
    EXPECT_FALSE(layer_.IsWindow(id)) << id;
    EXPECT_FALSE(layer_.IsWindowVisible(id)) << id;
  }
  EXPECT_EQ(layer_.CreateSaverWindow(false, gone, 0, Recorder()), 0u);
  EXPECT_TRUE(got_.empty());
}

TEST_F(X11Layer, TestWindowHasItsTitleAndPlaceAndClosesOnRequest) {
  const WindowHandle window = layer_.CreateTestWindow("Screensaver Preview Test", 480, 300, 320, 200);
  ASSERT_NE(window, 0u);
  EXPECT_FALSE(layer_.IsWindowVisible(window)) << "not shown until asked";
  layer_.ShowWindow(window);
  EXPECT_TRUE(DrainUntil([&] { return layer_.IsWindowVisible(window); }));

  char* name = nullptr;
  ASSERT_TRUE(XFetchName(other_, window, &name));
  EXPECT_STREQ(name, "Screensaver Preview Test");
  XFree(name);
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(other_, window, &attributes));
  EXPECT_EQ((std::vector<int>{attributes.x, attributes.y, attributes.width, attributes.height}),
            (std::vector<int>{480, 300, 320, 200}));
  const Atom motif = XInternAtom(other_, "_MOTIF_WM_HINTS", False);
  Atom type = 0;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(other_, window, motif, 0, 5, False, motif, &type, &format, &items, &after, &data),
            Success);
  ASSERT_EQ(items, 5u);
  const long* hints = reinterpret_cast<const long*>(data);
  EXPECT_EQ(hints[1], 4) << "moving only: no close, minimise or maximise";
  EXPECT_EQ(hints[2], 2 | 8) << "border and title bar only";
  XFree(data);

  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.message_type = XInternAtom(other_, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(other_, "WM_DELETE_WINDOW", False));
  Send(window, close);
  EXPECT_TRUE(DrainUntil([&] { return !layer_.IsWindow(window); }));
}

TEST_F(X11Layer, PreviewInTheTestWindowFollowsItsSize) {
  const WindowHandle test = layer_.CreateTestWindow("Screensaver Preview Test", 0, 0, 320, 200);
  layer_.ShowWindow(test);
  const WindowHandle child = layer_.CreateSaverWindow(false, test, 0, Recorder());
  ASSERT_NE(child, 0u);
  EXPECT_TRUE(Received(child, Msg::Size, 0, MakeLParam(320, 200)));
  XResizeWindow(other_, test, 360, 240);
  EXPECT_TRUE(DrainUntil([&] { return Received(child, Msg::Size, 0, MakeLParam(360, 240)); }));
}

TEST_F(X11Layer, DestroyingTellsTheProcedureAndDropsItsQueuedMessages) {
  const WindowHandle window = layer_.CreateSaverWindow(true, 0, 0, Recorder());
  got_.clear();
  layer_.DestroyWindow(window);
  std::vector<Msg> kinds;
  for (const WindowMessage& m : got_) kinds.push_back(m.message);
  EXPECT_EQ(kinds, (std::vector<Msg>{Msg::Destroy, Msg::NcDestroy}));
  EXPECT_FALSE(layer_.IsWindow(window));
  got_.clear();
  DrainUntil([] { return true; });
  EXPECT_TRUE(got_.empty()) << "the pointer position queued for it is gone with it";
}

TEST(X11WithoutDisplay, NeverOpensOneUnlessAsked) {
  const char* saved = std::getenv("DISPLAY");
  const std::string display = saved ? saved : "";
  setenv("DISPLAY", ":4095", 1);  // no server there
  {
    X11WindowSystem layer;
    EXPECT_FALSE(layer.PeekMessage());
    EXPECT_EQ(layer.XDisplay(), nullptr);
    EXPECT_FALSE(layer.IsWindow(42));
    EXPECT_EQ(layer.CreateSaverWindow(true, 0, 0, [](const WindowMessage&) {}), 0u);
    EXPECT_EQ(layer.CreateTestWindow("x", 0, 0, 10, 10), 0u);
  }
  setenv("DISPLAY", display.c_str(), 1);
}

TEST(MonitorPower, LevelChangesBecomeTheSystemCommandOrARepaint) {
  struct Case {
    std::optional<PowerLevel> previous;
    PowerLevel now;
    PowerChange change;
  };
  const Case cases[] = {
      {std::nullopt, PowerLevel::Off, PowerChange::Unchanged},  // the first reading is no change
      {PowerLevel::On, PowerLevel::On, PowerChange::Unchanged},
      {PowerLevel::On, PowerLevel::Standby, PowerChange::LowPower},
      {PowerLevel::On, PowerLevel::Suspend, PowerChange::Off},
      {PowerLevel::Standby, PowerLevel::Off, PowerChange::Off},
      {PowerLevel::Off, PowerLevel::Off, PowerChange::Unchanged},
      {PowerLevel::Off, PowerLevel::On, PowerChange::BackOn},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PowerTransition(c.previous, c.now), c.change) << static_cast<int>(c.now);
  }
}

}  // namespace
}  // namespace aerolume::platform
