// The saver window: what each message does in full screen and in a preview, the creation
// sequence, the mouse rule and the frame pacing.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/saver_window.h"
#include "tests/host/saver_fixture.h"

namespace aerolume::host::testing {
namespace {

constexpr WindowHandle kParent = 77;
const char* const kVoteCaption = "Thank you for using Aerolume";

// What a message did to the window.
enum class Outcome {
  Nothing,            // still there, nothing shown
  ClosedSilently,     // destroyed, no prompt
  ClosedAfterPrompt,  // the prompts ran (the vote box: this is the 33rd run), then destroyed
  Resized,            // the renderer was given the new size
};

struct MessageCase {
  const char* name;
  Msg message;
  std::int64_t wParam;
  std::int64_t lParam;
  Outcome fullScreen;
  Outcome preview;
};
void PrintTo(const MessageCase& c, std::ostream* out) { *out << c.name; }  // names the case in test lists

class MessageTable : public SaverFixture, public ::testing::WithParamInterface<MessageCase> {
 protected:
  // Makes the window, hands it the message and reports what became of it.
  Outcome Run(bool fullScreen) {
    WriteRunCount(32);
    windows.AddForeignWindow(kParent, true);
    OpenSaver& saver = MakeApp();
    const WindowHandle window = fullScreen ? saver.CreateSaverWindow() : saver.CreatePreviewWindow(kParent);
    EXPECT_NE(window, 0u);
    renderer->calls.clear();
    const MessageCase& c = GetParam();
    windows.SendMessage(window, c.message, c.wParam, c.lParam);

    if (windows.IsWindow(window)) {
      EXPECT_TRUE(boxes.shown.empty());
      if (!renderer->calls.empty()) {
        EXPECT_EQ(renderer->calls, std::vector<std::string>{"ResizeViewport 640x480"});
        return Outcome::Resized;
      }
      return Outcome::Nothing;
    }
    EXPECT_EQ(saver.SaverWnd(), 0u) << "the destroyed window is forgotten";
    EXPECT_FALSE(saver.Active()) << "the end hook ran";
    if (boxes.shown.empty()) return Outcome::ClosedSilently;
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, kVoteCaption);
    EXPECT_EQ(windows.lowered, std::vector<WindowHandle>{window}) << "moved out of the box's way";
    return Outcome::ClosedAfterPrompt;
  }
};

TEST_P(MessageTable, FullScreen) { EXPECT_EQ(Run(true), GetParam().fullScreen); }
TEST_P(MessageTable, Preview) { EXPECT_EQ(Run(false), GetParam().preview); }

const std::int64_t kPowerOff = 2;
INSTANTIATE_TEST_SUITE_P(
    Messages, MessageTable,
    ::testing::Values(
        MessageCase{"KeyDown", Msg::KeyDown, 65, 0, Outcome::ClosedAfterPrompt, Outcome::Nothing},
        MessageCase{"AltKey", Msg::SysKeyDown, 70, 0, Outcome::ClosedAfterPrompt, Outcome::Nothing},
        MessageCase{"LeftButton", Msg::LButtonDown, 0, 0, Outcome::ClosedAfterPrompt, Outcome::Nothing},
        MessageCase{"RightButton", Msg::RButtonDown, 0, 0, Outcome::ClosedAfterPrompt, Outcome::Nothing},
        MessageCase{"MiddleButton", Msg::MButtonDown, 0, 0, Outcome::ClosedAfterPrompt, Outcome::Nothing},
        MessageCase{"Deactivated", Msg::Activate, 0, 0, Outcome::ClosedSilently, Outcome::ClosedSilently},
        MessageCase{"AppDeactivated", Msg::ActivateApp, 0, 0, Outcome::ClosedSilently, Outcome::ClosedSilently},
        MessageCase{"FrameDeactivated", Msg::NcActivate, 0, 0, Outcome::ClosedSilently, Outcome::ClosedSilently},
        MessageCase{"Activated", Msg::Activate, 1, 0, Outcome::Nothing, Outcome::Nothing},
        MessageCase{"Close", Msg::Close, 0, 0, Outcome::ClosedSilently, Outcome::ClosedSilently},
        MessageCase{"Size", Msg::Size, 0, platform::MakeLParam(640, 480), Outcome::Resized, Outcome::Resized},
        MessageCase{"MonitorPower", Msg::SysCommand, platform::kScMonitorPower, kPowerOff, Outcome::Nothing,
                    Outcome::Nothing},
        MessageCase{"Paint", Msg::Paint, 0, 0, Outcome::Nothing, Outcome::Nothing},
        MessageCase{"WheelOrRelease", Msg::Other, 0, 0, Outcome::Nothing, Outcome::Nothing},
        MessageCase{"NcDestroy", Msg::NcDestroy, 0, 0, Outcome::Nothing, Outcome::Nothing}),
    [](const auto& info) { return info.param.name; });

class SaverCreation : public SaverFixture {};

TEST_F(SaverCreation, FullScreenRereadsCountsSavesThenPreparesGlInOrder) {
  WriteRunCount(5);
  OpenSaver& saver = MakeApp();
  WriteOptions("    <RunCount v=\"40\" />\n    <IgnoreMouseMove v=\"1\" />\n");  // changed since start-up
  const WindowHandle window = saver.CreateSaverWindow();

  ASSERT_NE(window, 0u);
  EXPECT_EQ(saver.SaverWnd(), window);
  EXPECT_TRUE(saver.Active());
  EXPECT_TRUE(saver.State().FullScreenMode);
  EXPECT_TRUE(saver.State().ClassRegistered);
  EXPECT_TRUE(windows.windows[window].fullScreen);
  EXPECT_EQ(windows.windows[window].visual, RecordingRenderer::kVisual) << "made with the GL visual";
  EXPECT_EQ(renderer->calls, (std::vector<std::string>{"ChooseVisual", "SetupPixelFormat", "CreateContext",
                                                       "InitRenderer", "ResizeViewport 1920x1080"}));
  EXPECT_EQ(saver.Options().RunCount, 41);
  EXPECT_EQ(saver.Options().IgnoreMouseMove, 1);
  EXPECT_EQ(OnDisk().RunCount, 41) << "saved at once";
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SaverCreation, PreviewSavesWithoutCounting) {
  WriteOptions("    <RunCount v=\"7\" />\n");  // the other elements are written by the save
  windows.AddForeignWindow(kParent, true, 152, 112);
  OpenSaver& saver = MakeApp();
  const WindowHandle window = saver.CreatePreviewWindow(kParent);

  ASSERT_NE(window, 0u);
  EXPECT_FALSE(saver.State().FullScreenMode);
  EXPECT_EQ(windows.windows[window].parent, kParent);
  EXPECT_EQ(renderer->calls.back(), "ResizeViewport 152x112");
  EXPECT_EQ(saver.Options().RunCount, 7);
  const std::string file = settings::testing::ReadText(folder.PathOf("options.xml"));
  EXPECT_NE(file.find("<RunCount v=\"7\""), std::string::npos);
  EXPECT_NE(file.find("xSpeed"), std::string::npos) << "the file was saved:\n" << file;
}

TEST_F(SaverCreation, AMissingKeyIsReportedAgainAndCreationGoesOn) {
  WriteRunCount(1);
  OpenSaver& saver = MakeApp();
  keys.localMachineDir.reset();
  keys.currentUserDir = folder.Root();
  const WindowHandle window = saver.CreateSaverWindow();
  ASSERT_NE(window, 0u);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "HKEY_LOCAL_MACHINE Registry not found! Please reinstall Aerolume Screen Saver");
  EXPECT_EQ(renderer->calls.back(), "ResizeViewport 1920x1080");
  EXPECT_EQ(OnDisk().RunCount, 2);
}

TEST_F(SaverCreation, NoWindowLeavesTheSaverInactive) {
  WriteRunCount(1);
  windows.failCreate = true;
  OpenSaver& saver = MakeApp();
  EXPECT_EQ(saver.CreateSaverWindow(), 0u);
  EXPECT_FALSE(saver.Active());
  EXPECT_EQ(saver.SaverWnd(), 0u);
  EXPECT_EQ(OnDisk().RunCount, 1) << "no window, no run";
}

// The mouse rule, as a run of pointer reports: which report (if any) ends the saver.
struct MouseCase {
  const char* name;
  bool fullScreen;
  int ignoreMouseMove;
  std::vector<std::pair<int, int>> moves;
  std::optional<std::size_t> endsAt;
};
void PrintTo(const MouseCase& c, std::ostream* out) { *out << c.name; }  // names the case in test lists

class MouseRule : public SaverFixture, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(MouseRule, EndsOnlyBeyondFiftyPixelsOnOneAxis) {
  const MouseCase& c = GetParam();
  WriteOptions("    <IgnoreMouseMove v=\"" + std::to_string(c.ignoreMouseMove) + "\" />\n");
  windows.AddForeignWindow(kParent, true);
  OpenSaver& saver = MakeApp();
  const WindowHandle window = c.fullScreen ? saver.CreateSaverWindow() : saver.CreatePreviewWindow(kParent);
  std::optional<std::size_t> endedAt;
  for (std::size_t i = 0; i < c.moves.size() && !endedAt; ++i) {
    windows.SendMessage(window, Msg::MouseMove, 0, platform::MakeLParam(c.moves[i].first, c.moves[i].second));
    if (!windows.IsWindow(window)) endedAt = i;
  }
  EXPECT_EQ(endedAt, c.endsAt);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MouseRule,
    ::testing::Values(
        MouseCase{"FirstReportOnlySetsTheReference", true, 0, {{900, 700}}, std::nullopt},
        MouseCase{"FiftyOneRight", true, 0, {{500, 500}, {551, 500}}, 1},
        MouseCase{"FiftyOneLeft", true, 0, {{500, 500}, {449, 500}}, 1},
        MouseCase{"FiftyOneDown", true, 0, {{500, 500}, {500, 551}}, 1},
        MouseCase{"FiftyOnBothAxes", true, 0, {{500, 500}, {550, 550}, {450, 450}}, std::nullopt},
        MouseCase{"ReferenceNeverMoves", true, 0, {{500, 500}, {540, 500}, {580, 500}}, 2},
        MouseCase{"SignedCoordinates", true, 0, {{10, 10}, {-30, 10}, {-41, 10}}, 2},
        MouseCase{"IgnoreMouseMove", true, 1, {{500, 500}, {900, 900}, {0, 0}}, std::nullopt},
        MouseCase{"PreviewNeverEnds", false, 0, {{50, 50}, {150, 150}, {0, 0}}, std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST_F(SaverCreation, TheMouseReferenceOutlivesTheWindow) {
  WriteRunCount(1);
  OpenSaver& saver = MakeApp();
  const WindowHandle first = saver.CreateSaverWindow();
  windows.SendMessage(first, Msg::MouseMove, 0, platform::MakeLParam(100, 100));
  windows.DestroyWindow(first);
  const WindowHandle second = saver.CreateSaverWindow();
  windows.SendMessage(second, Msg::MouseMove, 0, platform::MakeLParam(151, 100));
  EXPECT_FALSE(windows.IsWindow(second)) << "measured from the first window's reference";
}

// DrawFrameIfDue at clock readings after the last drawn frame.
TEST_F(SaverCreation, FramesComeOnlyMoreThanTenMillisecondsApart) {
  WriteRunCount(1);
  OpenSaver& saver = MakeApp();
  saver.CreateSaverWindow();
  struct Step {
    std::int64_t now;
    int framesAfter;
  };
  const Step steps[] = {{0, 0}, {10, 0}, {11, 1}, {21, 1}, {22, 2}, {22, 2}, {500, 3}, {510, 3}, {511, 4}};
  for (const Step& step : steps) {
    system.nowMs = step.now;
    saver.DrawFrameIfDue();
    EXPECT_EQ(renderer->frames, step.framesAfter) << "at " << step.now << " ms";
  }
  EXPECT_EQ(saver.State().LastFrameTime, 511);
}

TEST(FramePacing, DueOnlyAfterMoreThanTenMilliseconds) {
  std::int64_t last = 100;
  int frames = 0;
  EXPECT_FALSE(DrawFrameIfDue(110, last, [&] { ++frames; }));
  EXPECT_EQ(last, 100);
  EXPECT_TRUE(DrawFrameIfDue(111, last, [&] { ++frames; }));
  EXPECT_EQ(last, 111);
  EXPECT_EQ(frames, 1);
}

}  // namespace
}  // namespace aerolume::host::testing
