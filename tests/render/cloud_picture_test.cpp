// The cloud picture's opacity: the truncated grey level of the opacity picture.
#include "render/cloud_picture.h"

#include <gtest/gtest.h>

namespace aerolume::render {
namespace {

JpegImage Picture(int width, int height, std::vector<unsigned char> pixels) {
  JpegImage image;
  image.width = width;
  image.height = height;
  image.rowBytes = 3 * width;
  image.pixels = std::move(pixels);
  return image;
}

TEST(CloudPicture, AlphaIsTheTruncatedGreyLevelOfTheOpacityPicture) {
  struct Case {
    unsigned char r, g, b;
    unsigned char alpha;
  };
  const Case cases[] = {{255, 255, 255, 255}, {255, 0, 0, 85}, {1, 1, 0, 0},
                        {0, 0, 0, 0},         {2, 2, 1, 1},    {100, 101, 102, 101}};
  for (const Case& c : cases) {
    const JpegImage colour = Picture(1, 1, {10, 20, 30});
    const JpegImage opacity = Picture(1, 1, {c.r, c.g, c.b});
    EXPECT_EQ(MergeColourAndOpacity(colour, opacity),
              (std::vector<unsigned char>{10, 20, 30, c.alpha}))
        << int(c.r) << "," << int(c.g) << "," << int(c.b);
  }
}

TEST(CloudPicture, WalksBothPicturesInStep) {
  const JpegImage colour = Picture(2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  const JpegImage opacity = Picture(2, 2, {0, 0, 0, 3, 3, 3, 6, 6, 6, 9, 9, 9});
  EXPECT_EQ(MergeColourAndOpacity(colour, opacity),
            (std::vector<unsigned char>{1, 2, 3, 0, 4, 5, 6, 3, 7, 8, 9, 6, 10, 11, 12, 9}));
}

}  // namespace
}  // namespace aerolume::render
