// The questions after a user-ended full-screen run: the vote at the 33rd run, the version check on
// the 3rd and 21st once per day, their order, texts and answers.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "host/closing_prompts.h"
#include "tests/host/saver_fixture.h"

namespace aerolume::host::testing {
namespace {

const std::string kVoteText =
    "Seems that you like Aerolume! \nWould you be so kind to vote for it? This will help others to find it! ";
const std::string kVoteCaption = "Thank you for using Aerolume";
const std::string kVersionText = "Would you like to check if your version of Aerolume is latest?";
const std::string kVersionCaption = "Notification";
const std::string kVotePage = "https://aerolume.example/vote";
const std::string kVersionPage = "https://aerolume.example/latest?version=1.0";

struct PromptCase {
  const char* name;
  int runCountOnDisk;  // before the start, which adds one
  LocalDay today;
  LocalDay lastOffer;  // Day and Month on disk
  std::vector<platform::Answer> answers;
  std::vector<std::string> captions;  // boxes shown, in order
  std::vector<std::string> opened;    // pages opened
};
void PrintTo(const PromptCase& c, std::ostream* out) { *out << c.name; }  // names the case in test lists

class ClosingPrompts : public SaverFixture, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(ClosingPrompts, AreAskedOnTheirDaysAndRunsOnlyThenTheSaverCloses) {
  const PromptCase& c = GetParam();
  WriteOptions("    <RunCount v=\"" + std::to_string(c.runCountOnDisk) + "\" />\n    <Date Day=\"" +
               std::to_string(c.lastOffer.day) + "\" Month=\"" + std::to_string(c.lastOffer.month) + "\" />\n");
  today = c.today;
  boxes.answers.assign(c.answers.begin(), c.answers.end());
  OpenSaver& saver = MakeApp();
  const WindowHandle window = saver.CreateSaverWindow();
  windows.SendMessage(window, Msg::KeyDown);

  std::vector<std::string> captions;
  for (const auto& shown : boxes.shown) {
    captions.push_back(shown.caption);
    EXPECT_EQ(shown.buttons, platform::Buttons::YesNo);
    EXPECT_EQ(shown.icon, platform::Icon::None);
    EXPECT_EQ(shown.text, shown.caption == kVoteCaption ? kVoteText : kVersionText);
  }
  EXPECT_EQ(captions, c.captions);
  EXPECT_EQ(system.openedUrls, c.opened);
  EXPECT_FALSE(windows.IsWindow(window)) << "closed whatever the answers";
  EXPECT_EQ(windows.lowered.size(), c.captions.size()) << "out of the way before each box";

  const settings::SaverOptions disk = OnDisk();
  EXPECT_EQ(disk.RunCount, c.runCountOnDisk + 1);
  const bool offered = !c.captions.empty() && c.captions.back() == kVersionCaption;
  EXPECT_EQ(disk.Day, offered ? c.today.day : c.lastOffer.day);
  EXPECT_EQ(disk.Month, offered ? c.today.month : c.lastOffer.month);
}

using platform::Answer;
INSTANTIATE_TEST_SUITE_P(
    Cases, ClosingPrompts,
    ::testing::Values(
        PromptCase{"Run32", 31, {10, 6}, {0, 0}, {}, {}, {}},
        PromptCase{"Run33Yes", 32, {10, 6}, {0, 0}, {Answer::Yes}, {kVoteCaption}, {kVotePage}},
        PromptCase{"Run33No", 32, {10, 6}, {0, 0}, {Answer::No}, {kVoteCaption}, {}},
        PromptCase{"Run34", 33, {10, 6}, {0, 0}, {}, {}, {}},
        PromptCase{"Day2", 5, {2, 6}, {0, 0}, {}, {}, {}},
        PromptCase{"Day3Yes", 5, {3, 6}, {0, 0}, {Answer::Yes}, {kVersionCaption}, {kVersionPage}},
        PromptCase{"Day21No", 5, {21, 6}, {3, 6}, {Answer::No}, {kVersionCaption}, {}},
        PromptCase{"AlreadyOfferedToday", 5, {21, 6}, {21, 6}, {}, {}, {}},
        PromptCase{"SameDayOtherMonth", 5, {3, 7}, {3, 6}, {Answer::No}, {kVersionCaption}, {}},
        PromptCase{"SameDayAYearLaterIsSkipped", 5, {3, 6}, {3, 6}, {}, {}, {}},
        PromptCase{"NoDate", 5, {0, 0}, {0, 0}, {}, {}, {}},
        PromptCase{"VoteThenVersion", 32, {21, 1}, {0, 0}, {Answer::Yes, Answer::Yes},
                   {kVoteCaption, kVersionCaption}, {kVotePage, kVersionPage}}),
    [](const auto& info) { return info.param.name; });

class PromptSteps : public SaverFixture {};

TEST_F(PromptSteps, TheOfferedDayIsSavedBeforeTheQuestionIsAsked) {
  WriteRunCount(5);
  today = {3, 11};
  OpenSaver& saver = MakeApp();
  const WindowHandle window = saver.CreateSaverWindow();
  // The box answers after looking at the file, as a user could kill the saver at that point.
  struct PeekingBoxes final : platform::MessageBoxes {
    std::string dataFolder;
    settings::SaverOptions seen;
    platform::Answer Show(const std::string&, const std::string&, platform::Buttons, platform::Icon) override {
      platform::RecordingMessageBoxes ignored;
      settings::LoadOptions(seen, dataFolder, "options.xml", ignored);
      return platform::Answer::No;
    }
  } peeking;
  peeking.dataFolder = folder.DataFolder();
  PromptContext context{saver.Options(), saver.DataFolder(), peeking, system, windows, [this] { return today; }};
  ShowClosingPrompts(context, window);
  EXPECT_EQ(peeking.seen.Day, 3);
  EXPECT_EQ(peeking.seen.Month, 11);
}

TEST_F(PromptSteps, PromptsAfterTheWindowIsGoneStillAskButMoveNothing) {
  WriteRunCount(32);
  today = {21, 2};
  OpenSaver& saver = MakeApp();
  const WindowHandle window = saver.CreateSaverWindow();
  windows.DestroyWindow(window);
  PromptContext context{saver.Options(), saver.DataFolder(), boxes, system, windows, [this] { return today; }};
  ShowClosingPrompts(context, window);
  EXPECT_EQ(boxes.shown.size(), 2u);
  EXPECT_TRUE(windows.lowered.empty());
}

TEST_F(PromptSteps, DeactivationClosesWithoutPrompts) {
  WriteRunCount(32);
  today = {3, 3};
  OpenSaver& saver = MakeApp();
  const WindowHandle window = saver.CreateSaverWindow();
  windows.SendMessage(window, Msg::Activate, 0);
  EXPECT_FALSE(windows.IsWindow(window));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(OnDisk().Day, 0);
}

}  // namespace
}  // namespace aerolume::host::testing
