#include "settings/scenario_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/fakes/recording_message_boxes.h"
#include "tests/settings/temp_folder.h"

namespace aerolume::settings {
namespace {

using testing::ReadText;
using testing::WriteText;

class ScenarioListTest : public ::testing::Test {
 protected:
  std::string ListPath() const { return folder.PathOf("defaultScenario.xml"); }
  bool LoadText(const std::string& text) {
    WriteText(ListPath(), text);
    return list.Load(folder.DataFolder(), "defaultScenario.xml", boxes);
  }
  // A list of skies "sky0", "sky1", ... with the given "enabled" values.
  bool LoadFlags(const std::vector<int>& flags) {
    std::string text = "<Scenario><Scenes>";
    for (std::size_t i = 0; i < flags.size(); ++i) {
      text += "<Scene path=\"sky" + std::to_string(i) + "\" enabled=\"" +
              std::to_string(flags[i]) + "\"/>";
    }
    return LoadText(text + "</Scenes></Scenario>");
  }
  bool Save() { return list.Save(folder.DataFolder(), "defaultScenario.xml"); }

  testing::TempFolder folder;
  platform::RecordingMessageBoxes boxes;
  ScenarioList list;
};

constexpr char kInstalled[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
    "<!-- installed skies -->\n"
    "<Catalogue version=\"2\">\n"
    "  <Title>Skies</Title>\n"
    "  <Scenes>\n"
    "    <Note path=\"not/an/entry\" />\n"
    "    <Scene path=\"skies/dawn\" enabled=\"1\" author=\"me\" />\n"
    "    <Scene enabled=\"0\" path=\"skies/dusk\"></Scene>\n"
    "\n"
    "    <Scene path=\"skies/storm\"/>\n"
    "    <!-- odd one out -->\n"
    "    <Extra path=\"skies/odd\" enabled=\"0\" />\n"
    "    <Scene title=\"no path\" />\n"
    "  </Scenes>\n"
    "  <Scenes>\n"
    "    <Scene path=\"skies/second\" enabled=\"0\" />\n"
    "  </Scenes>\n"
    "</Catalogue>\n";

TEST_F(ScenarioListTest, ReadsTheEntriesOfTheFirstScenesElement) {
  ASSERT_TRUE(LoadText(kInstalled));
  EXPECT_TRUE(boxes.shown.empty());
  ASSERT_EQ(list.SkyCount(), 5);
  const std::vector<std::string> paths = {"skies/dawn", "skies/dusk", "skies/storm", "skies/odd",
                                          ""};
  const std::vector<bool> enabled = {true, false, true, false, true};
  for (int i = 0; i < list.SkyCount(); ++i) {
    EXPECT_EQ(list.SkyPath(i), paths[i]) << i;
    EXPECT_EQ(list.IsSkyEnabled(i), enabled[i]) << i;
  }
  // The entry without a path is enabled but can never be shown.
  EXPECT_EQ(list.CountEnabledSkies(), 2);
  EXPECT_EQ(list.CandidateIndices(), (std::vector<std::int32_t>{0, 2, -1, -1, -1}));
}

TEST_F(ScenarioListTest, WritesBackOnlyTheEnabledFlagsInTheLibraryLayout) {
  ASSERT_TRUE(LoadText(kInstalled));
  list.SetSkyEnabled(0, 0);
  list.SetSkyEnabled(1, 1);
  ASSERT_TRUE(Save());
  EXPECT_EQ(ReadText(ListPath()),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
            "<!-- installed skies -->\n"
            "<Catalogue version=\"2\">\n"
            "    <Title>Skies</Title>\n"
            "    <Scenes>\n"
            "        <Note path=\"not/an/entry\" />\n"
            "        <Scene path=\"skies/dawn\" enabled=\"0\" author=\"me\" />\n"
            "        <Scene enabled=\"1\" path=\"skies/dusk\" />\n"
            "        <Scene path=\"skies/storm\" enabled=\"1\" />\n"
            "        <!-- odd one out -->\n"
            "        <Extra path=\"skies/odd\" enabled=\"0\" />\n"
            "        <Scene title=\"no path\" enabled=\"1\" />\n"
            "    </Scenes>\n"
            "    <Scenes>\n"
            "        <Scene path=\"skies/second\" enabled=\"0\" />\n"
            "    </Scenes>\n"
            "</Catalogue>\n");

  // What was written reads back as it was in memory.
  ScenarioList reloaded;
  ASSERT_TRUE(reloaded.Load(folder.DataFolder(), "defaultScenario.xml", boxes));
  ASSERT_EQ(reloaded.SkyCount(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(reloaded.IsSkyEnabled(i), list.IsSkyEnabled(i)) << i;
}

// How an "enabled" value reads, and what is written back for it unchanged.
TEST_F(ScenarioListTest, EnabledValuesFollowTheIntegerRule) {
  const struct {
    const char* attribute;
    bool enabled;
    const char* written;
  } cases[] = {
      {"", true, "enabled=\"1\""},  // no attribute
      {" enabled=\"0\"", false, "enabled=\"0\""},
      {" enabled=\"1\"", true, "enabled=\"1\""},
      {" enabled=\"2\"", true, "enabled=\"2\""},
      {" enabled=\" -1\"", true, "enabled=\"-1\""},
      {" enabled=\"0abc\"", false, "enabled=\"0\""},
      {" enabled=\"yes\"", true, "enabled=\"1\""},
      {" enabled=\"\"", true, "enabled=\"1\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.attribute);
    ASSERT_TRUE(LoadText(std::string("<r><Scenes><Scene path=\"a\"") + c.attribute +
                         "/></Scenes></r>"));
    ASSERT_EQ(list.SkyCount(), 1);
    EXPECT_EQ(list.IsSkyEnabled(0), c.enabled);
    ASSERT_TRUE(Save());
    EXPECT_NE(ReadText(ListPath()).find(std::string("<Scene path=\"a\" ") + c.written + " />"),
              std::string::npos)
        << ReadText(ListPath());
  }
}

TEST_F(ScenarioListTest, ListsWithoutEntries) {
  const char* const files[] = {
      "<r/>",
      "<r><Other><Scene path=\"a\"/></Other></r>",
      "<r><Scenes><Note path=\"a\"/></Scenes></r>",
      "<r><Scene path=\"a\"/><Scenes/></r>",
      "<!-- no element at all -->",
  };
  for (const char* text : files) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(LoadText(text));
    EXPECT_EQ(list.SkyCount(), 0);
    EXPECT_EQ(list.CountEnabledSkies(), 0);
    EXPECT_EQ(list.PickRandomSky(), -1);
    EXPECT_EQ(list.PickRandomSkyPath(), std::nullopt);
    EXPECT_EQ(list.LastPick(), -1);
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ScenarioListTest, NothingIsWrittenWithoutADocumentElement) {
  const std::string text = "<?xml version=\"1.0\" ?>\n<!-- only a comment -->\n";
  ASSERT_TRUE(LoadText(text));
  EXPECT_FALSE(Save());
  EXPECT_EQ(ReadText(ListPath()), text);
}

TEST_F(ScenarioListTest, NewListIsEmptyAndSavesNothing) {
  EXPECT_EQ(list.SkyCount(), 0);
  EXPECT_EQ(list.LastPick(), -1);
  EXPECT_EQ(list.PickRandomSky(), -1);
  EXPECT_FALSE(Save());
  EXPECT_FALSE(std::filesystem::exists(ListPath()));
}

// A file that cannot be loaded gives the box and an empty list, and the installed file must
// never be replaced by what little of it was parsed.
TEST_F(ScenarioListTest, FailedLoadReportsAndNeverWritesBack) {
  const char* const broken[] = {
      "<r><Scenes><Scene path=\"a\" enabled=\"0\"/><Scene path=\"b\"",
      "<r><Scenes><Scene path=\"a\"/></Scenes>",
      "",
  };
  for (const char* text : broken) {
    SCOPED_TRACE(text);
    boxes.shown.clear();
    EXPECT_FALSE(LoadText(text));
    EXPECT_EQ(list.SkyCount(), 0);
    EXPECT_EQ(list.PickRandomSkyPath(), std::nullopt);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, folder.DataDir() + "//defaultScenario.xml");
    EXPECT_EQ(boxes.shown[0].text, "Error opening file for reading");
    EXPECT_EQ(boxes.shown[0].buttons, platform::Buttons::Ok);
    EXPECT_FALSE(Save());
    EXPECT_EQ(ReadText(ListPath()), text);
  }
}

TEST_F(ScenarioListTest, FailedReloadForgetsTheEarlierList) {
  ASSERT_TRUE(LoadFlags({1, 1}));
  std::filesystem::rename(ListPath(), folder.PathOf("moved.xml"));
  EXPECT_FALSE(list.Load(folder.DataFolder(), "defaultScenario.xml", boxes));
  EXPECT_EQ(list.SkyCount(), 0);
  EXPECT_FALSE(Save());
  EXPECT_FALSE(std::filesystem::exists(ListPath()));
  ASSERT_EQ(boxes.shown.size(), 1u);
}

TEST_F(ScenarioListTest, PicksAlternateBetweenTwoEnabledSkies) {
  ASSERT_TRUE(LoadFlags({1, 0, 1}));
  EXPECT_EQ(list.CountEnabledSkies(), 2);
  EXPECT_EQ(list.CandidateIndices(), (std::vector<std::int32_t>{0, 2, -1}));
  std::srand(7);
  std::int32_t previous = list.PickRandomSky();
  ASSERT_TRUE(previous == 0 || previous == 2);
  for (int i = 0; i < 50; ++i) {
    const std::int32_t pick = list.PickRandomSky();
    ASSERT_EQ(pick, 2 - previous) << "pick " << i;
    EXPECT_EQ(list.LastPick(), pick);
    previous = pick;
  }
}

TEST_F(ScenarioListTest, NeverTheSameSkyTwiceInARow) {
  ASSERT_TRUE(LoadFlags({1, 0, 1, 1, 0, 1}));
  const std::set<std::int32_t> enabled = {0, 2, 3, 5};
  for (unsigned seed : {1u, 2u, 42u, 1234567u, 4000000000u}) {
    SCOPED_TRACE(seed);
    std::srand(seed);
    std::set<std::int32_t> seen;
    std::int32_t previous = list.LastPick();
    for (int i = 0; i < 1000; ++i) {
      const std::optional<std::string> path = list.PickRandomSkyPath();
      const std::int32_t pick = list.LastPick();
      ASSERT_NE(pick, previous);
      ASSERT_TRUE(enabled.count(pick)) << pick;
      ASSERT_EQ(path, "sky" + std::to_string(pick));
      seen.insert(pick);
      previous = pick;
    }
    EXPECT_EQ(seen, enabled);
  }
}

TEST_F(ScenarioListTest, OneEnabledSkyIsAlwaysPicked) {
  ASSERT_TRUE(LoadFlags({0, 0, 1, 0}));
  std::srand(3);
  for (int i = 0; i < 20; ++i) {
    ASSERT_EQ(list.PickRandomSky(), 2);
    EXPECT_EQ(list.LastPick(), 2);
  }
  EXPECT_EQ(list.PickRandomSkyPath(), "sky2");
}

TEST_F(ScenarioListTest, NoEnabledSkyGivesTheFirstEntryAndKeepsLastPick) {
  ASSERT_TRUE(LoadFlags({0, 1, 0}));
  ASSERT_EQ(list.PickRandomSky(), 1);
  list.SetSkyEnabled(1, 0);
  EXPECT_EQ(list.PickRandomSky(), 0);
  EXPECT_EQ(list.PickRandomSkyPath(), "sky0");
  EXPECT_EQ(list.LastPick(), 1);
  EXPECT_EQ(list.CandidateIndices(), (std::vector<std::int32_t>{-1, -1, -1}));
}

TEST_F(ScenarioListTest, EntriesWithoutPathAreNeverPicked) {
  ASSERT_TRUE(LoadText("<r><Scenes><Scene enabled=\"1\"/><Scene path=\"b\"/><Scene/></Scenes></r>"));
  ASSERT_EQ(list.SkyCount(), 3);
  EXPECT_EQ(list.SkyPath(0), "");
  EXPECT_EQ(list.CountEnabledSkies(), 1);
  std::srand(11);
  for (int i = 0; i < 20; ++i) ASSERT_EQ(list.PickRandomSkyPath(), "b");

  // With nothing to pick, the first entry is the answer, and it has no path to give.
  list.SetSkyEnabled(1, 0);
  EXPECT_EQ(list.PickRandomSky(), 0);
  EXPECT_EQ(list.PickRandomSkyPath(), std::nullopt);
}

}  // namespace
}  // namespace aerolume::settings
