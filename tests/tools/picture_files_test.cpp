// The picture encoders on small pictures whose every pixel is known.
#include <gtest/gtest.h>

#include <string>

#include "tests/tools/skygen_test_support.h"
#include "tools/skygen/picture_files.h"

namespace aerolume::skygen {
namespace {

// A picture with long runs, single odd pixels and a run across a row break.
RgbaPicture MixedPicture(int width, int height) {
  RgbaPicture picture{ColourPicture(width, height), GreyPicture(width, height)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool odd = (x * 7 + y * 3) % 11 == 0 || (y == 2 && x > width / 2);
      picture.colour.At(x, y) = odd ? Colour{x / float(width), y / float(height), 0.5f}
                                    : Colour{0.2f, 0.4f, 0.6f};
      picture.alpha.At(x, y) = odd ? 1.0f : (y < height / 2 ? 0.0f : 0.5f);
    }
  }
  return picture;
}

TEST(RunLengthTgaTest, DecodesBackToEveryPixelInPlace) {
  for (const auto& [width, height] : {std::pair{1, 1}, {300, 7}, {129, 3}, {5, 200}}) {
    const RgbaPicture picture = MixedPicture(width, height);
    std::string problem;
    const auto decoded = testing::DecodeRunLengthTga(EncodeRunLengthTga(picture), problem);
    ASSERT_TRUE(decoded) << width << "x" << height << ": " << problem;
    ASSERT_EQ(decoded->width, width);
    ASSERT_EQ(decoded->height, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const Colour c = picture.colour.At(x, y);
        const unsigned char* p = decoded->At(x, y);
        ASSERT_NEAR(p[0], c.r * 255, 0.51) << x << "," << y;
        ASSERT_NEAR(p[1], c.g * 255, 0.51);
        ASSERT_NEAR(p[2], c.b * 255, 0.51);
        ASSERT_NEAR(p[3], picture.alpha.At(x, y) * 255, 0.51);
      }
    }
  }
}

TEST(RunLengthTgaTest, RefusesPicturesTheFormatCannotHold) {
  EXPECT_TRUE(EncodeRunLengthTga({ColourPicture(65536, 1), GreyPicture(65536, 1)}).empty());
  EXPECT_TRUE(EncodeRunLengthTga({ColourPicture(0, 0), GreyPicture(0, 0)}).empty());
}

TEST(GreyJpegTest, ZeroStaysZeroAndLevelsSurvive) {
  GreyPicture picture(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) picture.At(x, y) = (x >= 16 && x < 48 && y >= 16 && y < 32) ? 0.75f : 0.0f;
  testing::TempFolder folder;
  ASSERT_TRUE(WriteBytes(folder.Path("grey.jpg"), EncodeGreyJpeg(picture)));
  const auto decoded = testing::DecodeJpeg(folder.Path("grey.jpg"));
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->components, 3);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      const unsigned char* p = decoded->At(x, y);
      // Whole 8 x 8 blocks of zero decode exactly.
      if (x < 8 || x >= 56 || y < 8 || y >= 40) {
        ASSERT_EQ(p[0] + p[1] + p[2], 0) << x << "," << y;
      }
    }
  }
  EXPECT_NEAR(decoded->At(32, 24)[1], 191, 4);
}

TEST(WriteBytesTest, ReportsAFolderItCannotWriteInto) {
  testing::TempFolder folder;
  EXPECT_FALSE(WriteBytes(folder.Path("missing/file.jpg"), {1, 2, 3}));
  EXPECT_TRUE(WriteBytes(folder.Path("file.jpg"), {1, 2, 3}));
  EXPECT_EQ(testing::ReadBytes(folder.Path("file.jpg")), (Bytes{1, 2, 3}));
}

}  // namespace
}  // namespace aerolume::skygen
