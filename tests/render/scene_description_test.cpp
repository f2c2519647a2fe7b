// Reading "scene.xml": which elements count, and what an unreadable description does.
#include "render/scene_description.h"

#include <gtest/gtest.h>

#include "platform/fakes/recording_message_boxes.h"
#include "tests/render/picture_fixtures.h"

namespace aerolume::render {
namespace {

using Entries = std::vector<std::pair<std::optional<std::string>, std::optional<std::string>>>;

struct Case {
  const char* name;
  const char* xml;
  std::optional<std::string> back, sun;
  Entries clouds;
};

const Case kCases[] = {
    {"Complete",
     R"(<Scene><Back file="back.jpg"/><Sun file="sun.tga"/>
        <Clouds><Cloud file="c.jpg" alpha="ca.jpg"/></Clouds></Scene>)",
     "back.jpg", "sun.tga", {{"c.jpg", "ca.jpg"}}},
    {"AnyRootName", R"(<?xml version="1.0"?><!-- sky --><Whatever><Back file="b.jpg"/></Whatever>)",
     "b.jpg", {}, {}},
    {"FirstOfEachCounts",
     R"(<S><Back file="1.jpg"/><Back file="2.jpg"/><Sun file="1.tga"/><Sun file="2.tga"/></S>)",
     "1.jpg", "1.tga", {}},
    {"WithoutFileCountsAsMissing", R"(<S><Back name="b.jpg"/><Sun/></S>)", {}, {}, {}},
    {"NestedDeeperIsNotFound",
     R"(<S><Group><Back file="b.jpg"/><Sun file="s.tga"/><Clouds><Cloud file="c" alpha="a"/></Clouds></Group></S>)",
     {}, {}, {}},
    {"EntriesStartAtTheFirstCloud",
     R"(<S><Clouds><Puff file="x" alpha="y"/><Cloud file="c1" alpha="a1"/>
        <Puff file="c2" alpha="a2"/><Cloud file="c3"/><Cloud alpha="a4"/></Clouds></S>)",
     {}, {}, {{"c1", "a1"}, {"c2", "a2"}, {"c3", {}}, {{}, "a4"}}},
    {"CloudsWithoutCloud", R"(<S><Clouds><Puff file="x" alpha="y"/></Clouds></S>)", {}, {}, {}},
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class SceneDescriptionRead : public ::testing::TestWithParam<Case> {};

TEST_P(SceneDescriptionRead, FindsThePictures) {
  const Case& c = GetParam();
  testing::TempFolder folder;
  testing::WriteFile(folder.File("scene.xml"), std::string(c.xml));
  platform::RecordingMessageBoxes boxes;

  const auto description = ReadSceneDescription(folder.File("scene.xml"), boxes);
  ASSERT_TRUE(description.has_value());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(description->back, c.back);
  EXPECT_EQ(description->sun, c.sun);
  Entries clouds;
  for (const CloudEntry& entry : description->clouds) clouds.emplace_back(entry.file, entry.alpha);
  EXPECT_EQ(clouds, c.clouds);
}

INSTANTIATE_TEST_SUITE_P(Documents, SceneDescriptionRead, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SceneDescription, UnloadableFilesShowTheBoxWithTheFullPath) {
  const struct {
    const char* name;
    std::optional<std::string> text;  // none: no file
  } cases[] = {{"missing", {}}, {"malformed", "<Scene><Back file='b.jpg'></Scene>"}, {"empty", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder folder;
    const std::string path = folder.File("scene.xml");
    if (c.text) testing::WriteFile(path, *c.text);
    platform::RecordingMessageBoxes boxes;

    EXPECT_FALSE(ReadSceneDescription(path, boxes).has_value());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, path);
    EXPECT_EQ(boxes.shown[0].text, "Error opening file for reading");
    EXPECT_EQ(boxes.shown[0].buttons, platform::Buttons::Ok);
  }
}

TEST(SceneDescription, DocumentWithoutElementGivesNothingQuietly) {
  testing::TempFolder folder;
  testing::WriteFile(folder.File("scene.xml"), std::string("<?xml version=\"1.0\"?>\n<!-- no sky -->\n"));
  platform::RecordingMessageBoxes boxes;
  EXPECT_FALSE(ReadSceneDescription(folder.File("scene.xml"), boxes).has_value());
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace aerolume::render
