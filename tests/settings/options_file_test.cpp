#include "settings/options_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fakes/recording_message_boxes.h"
#include "tests/settings/temp_folder.h"

namespace aerolume::settings {
namespace {

using testing::ReadText;
using testing::WriteText;

constexpr char kDefaultFile[] =
    "<?xml version=\"1.0\" ?>\n"
    "<OPTIONS>\n"
    "    <KeepAspect_1_6 v=\"0\" />\n"
    "    <SoundsEnabled v=\"0\" />\n"
    "    <DoNotUseAccumBuffer v=\"0\" />\n"
    "    <SleepEnabled v=\"1\" />\n"
    "    <IgnoreMouseMove v=\"0\" />\n"
    "    <RunCount v=\"0\" />\n"
    "    <xSpeed v=\"50\" />\n"
    "    <zSpeed v=\"50\" />\n"
    "    <changeSkyAtStartUp v=\"1\" />\n"
    "    <changeSkyDuring v=\"1\" />\n"
    "    <changeFrequency v=\"5\" />\n"
    "    <Date Day=\"0\" Month=\"0\" />\n"
    "</OPTIONS>\n";

// Every field different from its default and from the others, so that a swapped field shows.
SaverOptions ChangedRecord() {
  SaverOptions o;
  o.SoundsEnabled = 1;
  o.KeepAspect_1_6 = 2;
  o.DoNotUseAccumBuffer = 3;
  o.SleepEnabled = 0;
  o.IgnoreMouseMove = 4;
  o.RunCount = 33;
  o.Day = 21;
  o.Month = 12;
  o.xSpeed = -3;
  o.zSpeed = 100;
  o.changeSkyAtStartUp = 0;
  o.changeSkyDuring = 6;
  o.changeFrequency = 9;
  return o;
}

constexpr char kChangedFile[] =
    "<?xml version=\"1.0\" ?>\n"
    "<OPTIONS>\n"
    "    <KeepAspect_1_6 v=\"2\" />\n"
    "    <SoundsEnabled v=\"1\" />\n"
    "    <DoNotUseAccumBuffer v=\"3\" />\n"
    "    <SleepEnabled v=\"0\" />\n"
    "    <IgnoreMouseMove v=\"4\" />\n"
    "    <RunCount v=\"33\" />\n"
    "    <xSpeed v=\"-3\" />\n"
    "    <zSpeed v=\"100\" />\n"
    "    <changeSkyAtStartUp v=\"0\" />\n"
    "    <changeSkyDuring v=\"6\" />\n"
    "    <changeFrequency v=\"9\" />\n"
    "    <Date Day=\"21\" Month=\"12\" />\n"
    "</OPTIONS>\n";

std::vector<std::int32_t> Fields(const SaverOptions& o) {
  return {o.SoundsEnabled, o.KeepAspect_1_6, o.DoNotUseAccumBuffer, o.SleepEnabled,
          o.IgnoreMouseMove, o.RunCount, o.Day, o.Month, o.xSpeed, o.zSpeed,
          o.changeSkyAtStartUp, o.changeSkyDuring, o.changeFrequency};
}

class OptionsFileTest : public ::testing::Test {
 protected:
  std::string OptionsPath() const { return folder.PathOf("options.xml"); }
  bool Load(SaverOptions& options) {
    return LoadOptions(options, folder.DataFolder(), "options.xml", boxes);
  }
  bool Save(const SaverOptions& options) {
    return SaveOptions(options, folder.DataFolder(), "options.xml");
  }

  testing::TempFolder folder;
  platform::RecordingMessageBoxes boxes;
};

TEST_F(OptionsFileTest, BuiltInDefaultsInFieldOrder) {
  EXPECT_EQ(Fields(SaverOptions{}),
            (std::vector<std::int32_t>{0, 0, 0, 1, 0, 0, 0, 0, 50, 50, 1, 1, 5}));
}

TEST_F(OptionsFileTest, WritesTheFixedLayoutByteForByte) {
  ASSERT_TRUE(Save(SaverOptions{}));
  EXPECT_EQ(ReadText(OptionsPath()), kDefaultFile);
  ASSERT_TRUE(Save(ChangedRecord()));
  EXPECT_EQ(ReadText(OptionsPath()), kChangedFile);
}

TEST_F(OptionsFileTest, SavedRecordLoadsBackUnchanged) {
  ASSERT_TRUE(Save(ChangedRecord()));
  SaverOptions loaded;
  ASSERT_TRUE(Load(loaded));
  EXPECT_EQ(Fields(loaded), Fields(ChangedRecord()));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(OptionsFileTest, SavingTwiceIsByteIdenticalAndDropsForeignContent) {
  WriteText(OptionsPath(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<!-- edited by hand -->\r\n"
            "<Settings extra=\"x\">\r\n"
            "  <RunCount v=\"33\" note=\"kept?\"/>\r\n"
            "  <Unknown v=\"1\"></Unknown>\r\n"
            "  <!-- inner -->\r\n"
            "  <Date Day=\"21\" Month=\"12\" Year=\"2020\"/>\r\n"
            "</Settings>\r\n");
  SaverOptions options;
  ASSERT_TRUE(Load(options));
  ASSERT_TRUE(Save(options));
  const std::string first = ReadText(OptionsPath());
  ASSERT_TRUE(Save(options));
  EXPECT_EQ(ReadText(OptionsPath()), first);

  std::string expected = kDefaultFile;
  expected.replace(expected.find("<RunCount v=\"0\""), 15, "<RunCount v=\"33\"");
  expected.replace(expected.find("Day=\"0\" Month=\"0\""), 17, "Day=\"21\" Month=\"12\"");
  EXPECT_EQ(first, expected);
}

// A file holding only the given children of its root, loaded over a distinctive previous record.
struct LoadCase {
  const char* name;
  const char* children;
  std::vector<std::int32_t> expected;  // in field order, see Fields()
};

class OptionsLoadTable : public OptionsFileTest,
                         public ::testing::WithParamInterface<LoadCase> {};

// The record the table's files are loaded into: no value equals a default or a fallback.
SaverOptions PreviousRecord() {
  SaverOptions o;
  o.SoundsEnabled = 11;
  o.KeepAspect_1_6 = 12;
  o.DoNotUseAccumBuffer = 13;
  o.SleepEnabled = 14;
  o.IgnoreMouseMove = 15;
  o.RunCount = 16;
  o.Day = 17;
  o.Month = 18;
  o.xSpeed = 19;
  o.zSpeed = 20;
  o.changeSkyAtStartUp = 21;
  o.changeSkyDuring = 22;
  o.changeFrequency = 23;
  return o;
}

TEST_P(OptionsLoadTable, ReadsFieldsByTheIntegerRule) {
  const LoadCase& c = GetParam();
  WriteText(OptionsPath(), std::string("<?xml version=\"1.0\" ?>\n<OPTIONS>\n") + c.children +
                               "</OPTIONS>\n");
  SaverOptions options = PreviousRecord();
  ASSERT_TRUE(Load(options));
  EXPECT_EQ(Fields(options), c.expected);
  EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OptionsLoadTable,
    ::testing::Values(
        LoadCase{"NoElementsKeepsEverything", "",
                 {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}},
        LoadCase{"ElementsWithoutValueTakeTheirFallbacks",
                 "<SoundsEnabled/><KeepAspect_1_6/><DoNotUseAccumBuffer/><SleepEnabled/>"
                 "<IgnoreMouseMove/><RunCount/><xSpeed/><zSpeed/><changeSkyAtStartUp/>"
                 "<changeSkyDuring/><changeFrequency/><Date/>",
                 {0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
        LoadCase{"OnlySleepAndMouseFlagsWithoutValue",
                 "<SleepEnabled/><IgnoreMouseMove/>",
                 {11, 12, 13, 1, 1, 16, 17, 18, 19, 20, 21, 22, 23}},
        LoadCase{"ValueNamesAreCaseSensitive", "<xSpeed V=\"5\"/><zspeed v=\"5\"/>",
                 {11, 12, 13, 14, 15, 16, 17, 18, 0, 20, 21, 22, 23}},
        LoadCase{"LettersAfterTheNumberAreIgnored", "<xSpeed v=\"75abc\"/>",
                 {11, 12, 13, 14, 15, 16, 17, 18, 75, 20, 21, 22, 23}},
        LoadCase{"NoNumberKeepsTheField", "<xSpeed v=\"abc\"/><Date Day=\"x\" Month=\"\"/>",
                 {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}},
        LoadCase{"BlanksAndSign", "<xSpeed v=\"  -3\"/>",
                 {11, 12, 13, 14, 15, 16, 17, 18, -3, 20, 21, 22, 23}},
        LoadCase{"FirstOfTwoElementsCounts", "<xSpeed v=\"1\"/><xSpeed v=\"2\"/>",
                 {11, 12, 13, 14, 15, 16, 17, 18, 1, 20, 21, 22, 23}},
        LoadCase{"DateWithOneAttribute", "<Date Month=\"4\"/>",
                 {11, 12, 13, 14, 15, 16, 0, 4, 19, 20, 21, 22, 23}},
        LoadCase{"OptionsOnlyAsDirectChildren", "<Group><RunCount v=\"1\"/></Group>",
                 {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}},
        LoadCase{"OutOfRangeValuesUsedAsGiven", "<changeFrequency v=\"0\"/><zSpeed v=\"250\"/>",
                 {11, 12, 13, 14, 15, 16, 17, 18, 19, 250, 21, 22, 0}}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

TEST_F(OptionsFileTest, RootOfAnyNameIsReadAndWrittenBackAsOptions) {
  WriteText(OptionsPath(), "<Preferences><RunCount v=\"5\"/><Other><RunCount v=\"9\"/></Other>"
                           "</Preferences>");
  SaverOptions options;
  ASSERT_TRUE(Load(options));
  EXPECT_EQ(options.RunCount, 5);
  ASSERT_TRUE(Save(options));
  EXPECT_NE(ReadText(OptionsPath()).find("\n<OPTIONS>\n    <KeepAspect_1_6"), std::string::npos);
}

TEST_F(OptionsFileTest, DocumentWithoutElementChangesNothingSilently) {
  WriteText(OptionsPath(), "<?xml version=\"1.0\" ?>\n<!-- nothing here -->\n");
  SaverOptions options = PreviousRecord();
  EXPECT_TRUE(Load(options));
  EXPECT_EQ(Fields(options), Fields(PreviousRecord()));
  EXPECT_TRUE(boxes.shown.empty());
}

// Files the XML library cannot load: each gives the one error box and leaves the record alone.
TEST_F(OptionsFileTest, UnreadableFileShowsTheBoxAndKeepsTheRecord) {
  const struct {
    const char* name;
    const char* text;  // null: no file at all
  } cases[] = {
      {"missing", nullptr},
      {"empty", ""},
      {"blank", "  \n"},
      {"truncated", "<OPTIONS><RunCount v=\"1\"/><xSpeed v=\"9\""},
      {"mismatched end tag", "<OPTIONS><RunCount v=\"1\"></Other></OPTIONS>"},
      {"not XML", "RunCount=1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(OptionsPath());
    if (c.text) WriteText(OptionsPath(), c.text);
    boxes.shown.clear();
    SaverOptions options = PreviousRecord();
    EXPECT_FALSE(Load(options));
    EXPECT_EQ(Fields(options), Fields(PreviousRecord()));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, folder.DataDir() + "//options.xml");
    EXPECT_EQ(boxes.shown[0].text, "Error opening file for reading");
    EXPECT_EQ(boxes.shown[0].buttons, platform::Buttons::Ok);
  }
}

TEST_F(OptionsFileTest, PathsLongerThanAnOldFixedBuffer) {
  std::string deep = folder.DataDir();
  for (int level = 0; level < 4; ++level) deep += "/" + std::string(100, 'a' + level);
  std::filesystem::create_directories(deep);
  ASSERT_GT(deep.size(), 400u);

  ASSERT_TRUE(SaveOptions(ChangedRecord(), deep + "/", "options.xml"));
  SaverOptions loaded;
  ASSERT_TRUE(LoadOptions(loaded, deep + "/", "options.xml", boxes));
  EXPECT_EQ(Fields(loaded), Fields(ChangedRecord()));

  EXPECT_FALSE(LoadOptions(loaded, deep + "/", "missing.xml", boxes));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, deep + "//missing.xml");
}

}  // namespace
}  // namespace aerolume::settings
