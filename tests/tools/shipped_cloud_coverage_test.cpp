// The cloud pictures the build ships: how much of each opacity picture is solid cloud. Twenty
// copies stack towards the eye, so a picture that is mostly cloud turns the screen into a wall;
// one that is hardly cloud leaves an empty sky.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/tools/skygen_test_support.h"
#include "tools/skygen/sky_folder.h"

namespace aerolume::skygen {
namespace {

using testing::DecodeJpeg;

struct ShippedSky {
  const char* folder;
  double leastCover;  // fraction of pixels with opacity above one half
  double mostCover;
};

// Scattered cumulus for the clear skies; the overcast is more covered but still has breaks.
constexpr ShippedSky kShippedSkies[] = {
    {"clear-midday", 0.06, 0.14},
    {"golden-evening", 0.06, 0.14},
    {"dusk", 0.06, 0.14},
    {"dawn", 0.06, 0.14},
    {"bright-overcast", 0.07, 0.22},
};

TEST(ShippedCloudCoverageTest, EachSkyIsScatteredCloudNotAWall) {
  for (const ShippedSky& sky : kShippedSkies) {
    SCOPED_TRACE(sky.folder);
    const std::string path =
        std::string(AEROLUME_BUILT_DATA_FOLDER) + "/" + sky.folder + "/" + kCloudOpacityFileName;
    const auto opacity = DecodeJpeg(path);
    ASSERT_TRUE(opacity) << path;
    std::size_t solid = 0, clear = 0;
    for (int y = 0; y < opacity->height; ++y)
      for (int x = 0; x < opacity->width; ++x) {
        const int level = opacity->At(x, y)[0];
        solid += level > 127;
        clear += level == 0;
      }
    const double pixels = static_cast<double>(opacity->width) * opacity->height;
    const double cover = solid / pixels;
    std::printf("%-16s opacity > 0.5 on %4.1f%% of the picture, exactly 0 on %4.1f%%\n",
                sky.folder, 100.0 * cover, 100.0 * clear / pixels);
    EXPECT_GE(cover, sky.leastCover);
    EXPECT_LE(cover, sky.mostCover);
    // The surroundings are clear sky, not a faint veil over everything.
    EXPECT_GT(clear / pixels, 0.45);
  }
}

}  // namespace
}  // namespace aerolume::skygen
