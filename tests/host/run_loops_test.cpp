// The full-screen and preview run loops on a scripted desktop: what ends them, what they wait
// for, and when they draw. The clock moves 11 ms per queue look, so every pass is due a frame.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "tests/host/saver_fixture.h"

namespace aerolume::host::testing {
namespace {

constexpr WindowHandle kParent = 4242;
constexpr int kRunaway = 5000;  // queue looks after which a loop that should have ended is stopped

class RunLoops : public SaverFixture {
 protected:
  RunLoops() { WriteRunCount(33 - 1); }

  // Calls step on every queue look with the look's number, after moving the clock on; stops a
  // loop that does not end by itself.
  void Script(std::function<void(int)> step) {
    windows.onPeek = [this, step](int look) {
      system.nowMs += 11;
      if (look > kRunaway) {
        ADD_FAILURE() << "the loop did not end";
        for (auto& [handle, w] : windows.windows) w.exists = false;
        return;
      }
      step(look);
    };
  }
};

// How a full-screen run is ended, and whether it ends at that point.
struct SaverEndCase {
  const char* name;
  Msg message;
  std::int64_t wParam, lParam;
  bool ends;
  bool prompts;  // the vote box of the 33rd run
};
void PrintTo(const SaverEndCase& c, std::ostream* out) { *out << c.name; }  // names the case in test lists

class SaverEnds : public RunLoops, public ::testing::WithParamInterface<SaverEndCase> {};

TEST_P(SaverEnds, AtOnceWhenTheWindowIsGoneOrTheDisplayIsSwitchedOff) {
  const SaverEndCase& c = GetParam();
  OpenSaver& saver = MakeApp();
  int framesAtMessage = -1;
  bool aliveAfterwards = false;
  Script([&](int look) {
    const WindowHandle window = windows.LastCreated();
    if (look == 10) {
      windows.Post(window, c.message, c.wParam, c.lParam);
      framesAtMessage = renderer->frames;
    }
    if (look == 40) {
      // Not ended by the message: the window is still there and drawn; end it with a key.
      aliveAfterwards = windows.IsWindow(window);
      windows.Post(window, Msg::KeyDown);
    }
  });
  saver.RunSaver();

  const WindowHandle window = windows.LastCreated();
  EXPECT_FALSE(windows.IsWindow(window));
  EXPECT_EQ(windows.destroyed, std::vector<WindowHandle>{window});
  EXPECT_FALSE(saver.Active());
  EXPECT_EQ(system.runningFlagCalls, (std::vector<bool>{true, false}));
  if (c.ends) {
    EXPECT_LE(windows.peekCount, 12) << "no pass after the window went";
    EXPECT_EQ(renderer->frames, framesAtMessage) << "no frame after the end";
  } else {
    EXPECT_TRUE(aliveAfterwards);
    EXPECT_GT(renderer->frames, framesAtMessage + 10);
  }
  EXPECT_EQ(boxes.shown.size(), c.prompts ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, SaverEnds,
    ::testing::Values(
        SaverEndCase{"KeyPress", Msg::KeyDown, 0, 0, true, true},
        SaverEndCase{"Deactivation", Msg::Activate, 0, 0, true, false},
        SaverEndCase{"DisplayOff", Msg::SysCommand, platform::kScMonitorPower, 2, true, false},
        SaverEndCase{"LowPowerDoesNotEnd", Msg::SysCommand, platform::kScMonitorPower, 1, false, true},
        SaverEndCase{"PowerOnDoesNotEnd", Msg::SysCommand, platform::kScMonitorPower, -1, false, true}),
    [](const auto& info) { return info.param.name; });

TEST_F(RunLoops, SaverWithoutWindowReturnsAtOnce) {
  windows.failCreate = true;
  OpenSaver& saver = MakeApp();
  saver.RunSaver();
  EXPECT_TRUE(system.runningFlagCalls.empty());
  EXPECT_EQ(windows.peekCount, 0);
}

TEST_F(RunLoops, WholeFullScreenStartCountsTheRunAndFlagsAroundIt) {
  OpenSaver& saver = MakeApp();
  Script([&](int look) {
    if (look == 3) windows.Post(windows.LastCreated(), Msg::LButtonDown);
  });
  EXPECT_FALSE(saver.InitInstance("/s"));
  EXPECT_EQ(OnDisk().RunCount, 33);
  EXPECT_EQ(system.runningFlagCalls, (std::vector<bool>{true, true, false, false}));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(system.openedUrls, std::vector<std::string>{"https://aerolume.example/vote"});
}

// How a preview ends once it runs.
enum class PreviewEnd { HideParent, DestroyParent, CloseChild };
struct PreviewEndCase {
  const char* name;
  PreviewEnd how;
};
void PrintTo(const PreviewEndCase& c, std::ostream* out) { *out << c.name; }  // names the case in test lists

class PreviewEnds : public RunLoops, public ::testing::WithParamInterface<PreviewEndCase> {};

TEST_P(PreviewEnds, WaitsForAHiddenParentThenRunsUntilParentOrChildGoes) {
  windows.AddForeignWindow(kParent, false);
  OpenSaver& saver = MakeApp();
  bool madeWhileHidden = false;
  int framesWhileHidden = -1;
  Script([&](int look) {
    if (look < 20) {
      madeWhileHidden |= !windows.created.empty();
      framesWhileHidden = renderer ? renderer->frames : 0;
    }
    if (look == 20) windows.windows[kParent].visible = true;
    if (look == 60) {
      switch (GetParam().how) {
        case PreviewEnd::HideParent: windows.windows[kParent].visible = false; break;
        case PreviewEnd::DestroyParent: windows.DestroyFromOutside(kParent); break;
        case PreviewEnd::CloseChild: windows.Post(windows.LastCreated(), Msg::Close); break;
      }
    }
    // Input over a preview never ends it.
    if (look == 30) windows.Post(windows.LastCreated(), Msg::KeyDown);
    if (look == 31) windows.Post(windows.LastCreated(), Msg::LButtonDown);
    if (look == 32) windows.Post(windows.LastCreated(), Msg::MouseMove, 0, platform::MakeLParam(1, 1));
    if (look == 33) windows.Post(windows.LastCreated(), Msg::MouseMove, 0, platform::MakeLParam(300, 300));
  });
  saver.RunPreview(kParent);

  EXPECT_FALSE(madeWhileHidden);
  EXPECT_EQ(framesWhileHidden, 0);
  ASSERT_EQ(windows.created.size(), 1u);
  const WindowHandle child = windows.created[0];
  EXPECT_EQ(windows.windows[child].parent, kParent);
  EXPECT_FALSE(windows.IsWindow(child)) << "closed at the end";
  EXPECT_GT(renderer->frames, 30);
  EXPECT_LE(windows.peekCount, 63) << "ended on the pass after";
  EXPECT_FALSE(saver.Active());
  EXPECT_EQ(saver.SaverWnd(), 0u);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(OnDisk().RunCount, 32) << "previews are not counted";
}

INSTANTIATE_TEST_SUITE_P(Endings, PreviewEnds,
                         ::testing::Values(PreviewEndCase{"HideParent", PreviewEnd::HideParent},
                                           PreviewEndCase{"DestroyParent", PreviewEnd::DestroyParent},
                                           PreviewEndCase{"CloseChild", PreviewEnd::CloseChild}),
                         [](const auto& info) { return info.param.name; });

TEST_F(RunLoops, PreviewPausesOnAnyMonitorPowerMessageUntilThePaintAfterIt) {
  windows.AddForeignWindow(kParent, true);
  OpenSaver& saver = MakeApp();
  std::vector<int> framesAt(100, -1);
  Script([&](int look) {
    framesAt[look] = renderer ? renderer->frames : 0;
    const WindowHandle child = windows.LastCreated();
    if (look == 10) windows.Post(child, Msg::SysCommand, platform::kScMonitorPower, -1);
    if (look == 20) windows.Post(child, Msg::Paint);
    if (look == 40) windows.Post(child, Msg::SysCommand, platform::kScMonitorPower, 2);
    if (look == 50) windows.Post(kParent, Msg::Paint);  // a paint for any window resumes
    if (look == 70) windows.windows[kParent].visible = false;
  });
  saver.RunPreview(kParent);

  // One queue look per pass here (each drain ends with an empty look), and a frame per pass.
  EXPECT_GT(framesAt[10], 0);
  EXPECT_EQ(framesAt[19], framesAt[12]) << "paused";
  EXPECT_GT(framesAt[30], framesAt[21]) << "resumed by the paint";
  EXPECT_EQ(framesAt[49], framesAt[42]) << "paused again, whatever the power level";
  EXPECT_GT(framesAt[60], framesAt[51]);
}

TEST_F(RunLoops, PreviewOfNoWindowReturnsWithoutHooks) {
  OpenSaver& saver = MakeApp();
  for (WindowHandle parent : {WindowHandle{0}, WindowHandle{999}}) {
    saver.RunPreview(parent);
    EXPECT_TRUE(windows.created.empty());
    EXPECT_EQ(windows.peekCount, 0);
  }
}

TEST_F(RunLoops, ParentDestroyedWhileWaitingEndsWithoutAChild) {
  windows.AddForeignWindow(kParent, false);
  OpenSaver& saver = MakeApp();
  Script([&](int look) {
    if (look == 5) windows.DestroyFromOutside(kParent);
  });
  saver.RunPreview(kParent);
  EXPECT_TRUE(windows.created.empty());
  EXPECT_EQ(windows.peekCount, 6);
}

TEST_F(RunLoops, TestPreviewWindowIsAQuarterOfTheScreenCentredAndDestroyedAtTheEnd) {
  struct ScreenCase {
    int width, height, x, y, w, h;
  };
  for (const ScreenCase& c : {ScreenCase{1920, 1080, 720, 405, 480, 270}, ScreenCase{1280, 800, 480, 300, 320, 200},
                              ScreenCase{1366, 767, 512, 288, 341, 191}}) {
    platform::FakeWindowSystem desk;
    desk.screen = {c.width, c.height};
    OpenSaver saver(AppServices{keys, boxes, system, desk});
    desk.onPeek = [&](int look) {
      if (look == 5) desk.windows[desk.created[0]].visible = false;
    };
    EXPECT_FALSE(saver.InitInstance("/testpreview"));
    ASSERT_GE(desk.created.size(), 2u);
    const auto& test = desk.windows[desk.created[0]];
    EXPECT_EQ(test.title, "Screensaver Preview Test");
    EXPECT_EQ((std::vector<int>{test.x, test.y, test.width, test.height}),
              (std::vector<int>{c.x, c.y, c.w, c.h}));
    EXPECT_EQ(desk.windows[desk.created[1]].parent, desk.created[0]) << "the preview is its child";
    EXPECT_EQ(desk.destroyed, (std::vector<WindowHandle>{desk.created[1], desk.created[0]}));
  }
}

}  // namespace
}  // namespace aerolume::host::testing
