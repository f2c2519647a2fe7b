// The sky folders the generator writes, read back as the saver would read them.
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "tests/tools/skygen_test_support.h"
#include "tools/skygen/cloud_painter.h"
#include "tools/skygen/sky_folder.h"
#include "tools/skygen/sky_preset.h"

namespace aerolume::skygen {
namespace {

using testing::Bytes;
using testing::Decoded;
using testing::DecodeJpeg;
using testing::DecodeRunLengthTga;
using testing::ReadBytes;
using testing::TempFolder;

// One preset painted with seed 1 into a scratch folder; every check reads the files back.
class PresetFolderTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    ASSERT_EQ(WriteSkyFolder(*FindPreset(GetParam()), 1, folder_.Path("sky")), "");
  }

  std::string FileOf(const std::string& name) const { return folder_.Path("sky") + "/" + name; }

  void CheckSceneDescription() const;
  void CheckSun() const;
  void CheckCloud() const;
  void CheckBackground() const;

  TempFolder folder_;
};

std::vector<std::string> PresetNames() {
  std::vector<std::string> names;
  for (const SkyPreset& preset : AllPresets()) names.emplace_back(preset.name);
  return names;
}

// Painting is the slow part, so one test per preset runs every check on the same folder.
TEST_P(PresetFolderTest, FolderHoldsWhatTheSaverNeeds) {
  {
    SCOPED_TRACE("scene.xml");
    CheckSceneDescription();
  }
  {
    SCOPED_TRACE("sun");
    CheckSun();
  }
  {
    SCOPED_TRACE("cloud");
    CheckCloud();
  }
  {
    SCOPED_TRACE("background");
    CheckBackground();
  }
}

// The description names the four pictures, and they exist.
void PresetFolderTest::CheckSceneDescription() const {
  TiXmlDocument document(FileOf(kSceneFileName).c_str());
  ASSERT_TRUE(document.LoadFile());
  const TiXmlElement* root = document.FirstChildElement();
  ASSERT_NE(root, nullptr);
  const TiXmlElement* back = root->FirstChildElement("Back");
  const TiXmlElement* sun = root->FirstChildElement("Sun");
  const TiXmlElement* clouds = root->FirstChildElement("Clouds");
  ASSERT_TRUE(back && sun && clouds);
  const TiXmlElement* cloud = clouds->FirstChildElement("Cloud");
  ASSERT_NE(cloud, nullptr);
  for (const char* name : {back->Attribute("file"), sun->Attribute("file"), cloud->Attribute("file"),
                           cloud->Attribute("alpha")}) {
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(std::filesystem::is_regular_file(FileOf(name))) << name;
  }
}

// A run-length 32-bit TGA with a bright, opaque middle whose glow has ended at the edges.
void PresetFolderTest::CheckSun() const {
  std::string problem;
  const auto sun = DecodeRunLengthTga(ReadBytes(FileOf(kSunFileName)), problem);
  ASSERT_TRUE(sun) << problem;
  EXPECT_EQ(sun->width, kSunSize);
  EXPECT_EQ(sun->height, kSunSize);
  // Run-length coding must actually pay off on the clear surround.
  EXPECT_LT(ReadBytes(FileOf(kSunFileName)).size(), std::size_t{kSunSize} * kSunSize * 4 / 2);
  for (int i = 0; i < sun->width; ++i) {
    for (const auto& [x, y] : {std::pair{i, 0}, {i, sun->height - 1}, {0, i}, {sun->width - 1, i}})
      ASSERT_EQ(sun->At(x, y)[3], 0) << "edge pixel " << x << "," << y;
  }
  const unsigned char* centre = sun->At(sun->width / 2, sun->height / 2);
  EXPECT_GT(centre[3], 160);
  EXPECT_GT(centre[0] + centre[1] + centre[2], 3 * 200);  // a bright disc
}

// Colour and opacity of one size; opacity exactly 0 in the margin, a real cloud but not a wall.
void PresetFolderTest::CheckCloud() const {
  const auto colour = DecodeJpeg(FileOf(kCloudFileName));
  const auto opacity = DecodeJpeg(FileOf(kCloudOpacityFileName));
  ASSERT_TRUE(colour && opacity);
  EXPECT_EQ(colour->components, 3);
  EXPECT_EQ(opacity->components, 3);  // the saver reads three components
  ASSERT_EQ(colour->width, opacity->width);
  ASSERT_EQ(colour->height, opacity->height);
  const int margin = static_cast<int>(kCloudClearMargin * opacity->width);
  std::size_t opaque = 0, clear = 0;
  int strongest = 0;
  for (int y = 0; y < opacity->height; ++y) {
    for (int x = 0; x < opacity->width; ++x) {
      const unsigned char* p = opacity->At(x, y);
      const int level = (p[0] + p[1] + p[2]) / 3;
      const bool inMargin = x < margin || y < margin || x >= opacity->width - margin ||
                            y >= opacity->height - margin;
      if (inMargin) {
        ASSERT_EQ(level, 0) << "margin pixel " << x << "," << y;
      }
      ASSERT_LE(std::abs(p[0] - p[2]), 1) << "grey pixel " << x << "," << y;
      strongest = std::max(strongest, level);
      opaque += level > 128;
      clear += level == 0;
    }
  }
  const double pixels = static_cast<double>(opacity->width) * opacity->height;
  EXPECT_GT(strongest, 220);
  EXPECT_GT(opaque / pixels, 0.04) << "hardly any cloud";
  EXPECT_GT(clear / pixels, 0.4) << "a wall, not a cloud";
}

// The sky darkens upwards from the horizon.
void PresetFolderTest::CheckBackground() const {
  const auto back = DecodeJpeg(FileOf(kBackgroundFileName));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, kBackgroundWidth);
  EXPECT_EQ(back->height, kBackgroundHeight);
  EXPECT_EQ(back->components, 3);
  auto rowBrightness = [&](int y) {
    long sum = 0;
    for (int x = back->width / 4; x < back->width * 3 / 4; ++x) {
      const unsigned char* p = back->At(x, y);
      sum += p[0] + p[1] + p[2];
    }
    return sum / (back->width / 2);
  };
  // The top of the visible sky and the sky just above the horizon (a little below the middle).
  EXPECT_LT(rowBrightness(back->height * 4 / 100), rowBrightness(back->height * 64 / 100));
}

INSTANTIATE_TEST_SUITE_P(EveryPreset, PresetFolderTest, ::testing::ValuesIn(PresetNames()),
                         [](const auto& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST(SkyFolderSeedTest, SameSeedGivesIdenticalFilesAndAnotherSeedOtherPictures) {
  TempFolder folder;
  const SkyPreset& preset = *FindPreset("clear-midday");
  ASSERT_EQ(WriteSkyFolder(preset, 7, folder.Path("a")), "");
  ASSERT_EQ(WriteSkyFolder(preset, 7, folder.Path("b")), "");
  ASSERT_EQ(WriteSkyFolder(preset, 8, folder.Path("c")), "");
  for (const char* name : {kSceneFileName, kBackgroundFileName, kSunFileName, kCloudFileName,
                           kCloudOpacityFileName}) {
    const Bytes a = ReadBytes(folder.Path("a") + "/" + name);
    ASSERT_FALSE(a.empty()) << name;
    EXPECT_EQ(a, ReadBytes(folder.Path("b") + "/" + name)) << name;
  }
  for (const char* name : {kBackgroundFileName, kCloudFileName, kCloudOpacityFileName})
    EXPECT_NE(ReadBytes(folder.Path("a") + "/" + name), ReadBytes(folder.Path("c") + "/" + name))
        << name;
}

TEST(SkyFolderSeedTest, PresetsDifferWithTheSameSeed) {
  TempFolder folder;
  ASSERT_EQ(WriteSkyFolder(*FindPreset("dawn"), 3, folder.Path("dawn")), "");
  ASSERT_EQ(WriteSkyFolder(*FindPreset("dusk"), 3, folder.Path("dusk")), "");
  EXPECT_NE(ReadBytes(folder.Path("dawn/") + kCloudOpacityFileName),
            ReadBytes(folder.Path("dusk/") + kCloudOpacityFileName));
}

TEST(SkyFolderErrorTest, FolderThatCannotBeCreatedIsReported) {
  TempFolder folder;
  std::ofstream(folder.Path("plain-file")) << "x";
  const std::string problem = WriteSkyFolder(*FindPreset("dusk"), 1, folder.Path("plain-file/sky"));
  EXPECT_NE(problem.find("plain-file/sky"), std::string::npos) << problem;
}

}  // namespace
}  // namespace aerolume::skygen
