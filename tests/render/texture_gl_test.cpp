// The texture makers against real Mesa GL: what each one uploads, how it is filtered, and that a
// failed picture leaves no texture.
#include "render/texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "platform/fakes/recording_message_boxes.h"
#include "tests/render/offscreen_gl_context.h"
#include "tests/render/picture_fixtures.h"

namespace aerolume::render {
namespace {

using testing::Bytes;
using testing::JpegBytes;
using testing::Solid;

struct Level {
  int width = 0, height = 0;
  Bytes rgba;  // rows bottom first
};

// The given mipmap level of texture name as GL holds it.
Level ReadLevel(unsigned int name, int level) {
  Level result;
  glBindTexture(GL_TEXTURE_2D, name);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &result.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &result.height);
  if (result.width > 0 && result.height > 0) {
    result.rgba.resize(static_cast<std::size_t>(result.width) * result.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, result.rgba.data());
  }
  return result;
}

std::pair<int, int> Filters(unsigned int name) {
  int minFilter = 0, magFilter = 0;
  glBindTexture(GL_TEXTURE_2D, name);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  return {minFilter, magFilter};
}

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

class TextureGl : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(context.Ready()) << "no GLX pbuffer context"; }
  std::string Write(const std::string& name, const Bytes& bytes) {
    testing::WriteFile(folder.File(name), bytes);
    return folder.File(name);
  }

  testing::OffscreenGlContext context{16, 16};
  testing::TempFolder folder;
  platform::RecordingMessageBoxes boxes;
};

TEST_F(TextureGl, BackgroundIsMipmappedAtPowersOfTwoAndSampledLinearly) {
  const std::string path = Write("back.jpg", JpegBytes(1000, 600, 3, Solid(1000, 600, {200, 100, 50})));
  Texture texture;
  texture.LoadJpeg(path, boxes);
  ASSERT_NE(texture.name, 0u);
  EXPECT_TRUE(boxes.shown.empty());

  const Level base = ReadLevel(texture.name, 0);
  EXPECT_TRUE(PowerOfTwo(base.width)) << base.width;
  EXPECT_TRUE(PowerOfTwo(base.height)) << base.height;
  const Level next = ReadLevel(texture.name, 1);
  EXPECT_EQ(next.width, std::max(1, base.width / 2));
  EXPECT_EQ(next.height, std::max(1, base.height / 2));
  ASSERT_FALSE(base.rgba.empty());
  EXPECT_NEAR(base.rgba[0], 200, 8);
  EXPECT_NEAR(base.rgba[1], 100, 8);
  EXPECT_NEAR(base.rgba[2], 50, 8);
  EXPECT_EQ(base.rgba[3], 255);
  EXPECT_EQ(Filters(texture.name), std::make_pair(GL_LINEAR, GL_LINEAR));
}

TEST_F(TextureGl, BackgroundBottomRowIsTextureRowZero) {
  // Top row red, bottom row blue.
  const std::string path = Write("back.jpg", JpegBytes(2, 2, 3, {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255}));
  Texture texture;
  texture.LoadJpeg(path, boxes);
  const Level base = ReadLevel(texture.name, 0);
  ASSERT_EQ(base.width, 2);
  ASSERT_EQ(base.height, 2);
  EXPECT_LT(base.rgba[0], 40);   // row 0: blue
  EXPECT_GT(base.rgba[2], 215);
  EXPECT_GT(base.rgba[8], 215);  // row 1: red
  EXPECT_LT(base.rgba[10], 40);
}

TEST_F(TextureGl, CloudTakesColourAndGreyLevelOpacityAtItsOwnSize) {
  Bytes opacityPixels;
  for (int i = 0; i < 12 * 8; ++i) {
    const auto level = static_cast<unsigned char>(i * 2);
    opacityPixels.insert(opacityPixels.end(), {level, static_cast<unsigned char>(level / 2), 0});
  }
  const std::string colour = Write("c.jpg", JpegBytes(12, 8, 3, Solid(12, 8, {30, 60, 90})));
  const std::string opacity = Write("a.jpg", JpegBytes(12, 8, 3, opacityPixels));
  Texture texture;
  texture.LoadJpegWithAlpha(colour, opacity, boxes);
  ASSERT_NE(texture.name, 0u);
  EXPECT_TRUE(boxes.shown.empty());

  const Level base = ReadLevel(texture.name, 0);
  ASSERT_EQ(base.width, 12);
  ASSERT_EQ(base.height, 8);
  EXPECT_EQ(ReadLevel(texture.name, 1).width, 0);  // no mipmaps
  const auto decoded = ReadJpeg(opacity, boxes);
  ASSERT_TRUE(decoded.has_value());
  for (std::size_t i = 0; i < 12 * 8; ++i) {
    const unsigned char* o = &decoded->pixels[i * 3];
    EXPECT_EQ(base.rgba[i * 4 + 3], (o[0] + o[1] + o[2]) / 3) << "pixel " << i;
    EXPECT_NEAR(base.rgba[i * 4 + 0], 30, 8);
    EXPECT_NEAR(base.rgba[i * 4 + 2], 90, 8);
  }
  EXPECT_EQ(Filters(texture.name), std::make_pair(GL_LINEAR, GL_LINEAR));
}

TEST_F(TextureGl, CloudPicturesOfDifferentSizesGiveNoTextureAndNoBox) {
  const std::string colour = Write("c.jpg", JpegBytes(16, 8, 3, Solid(16, 8, {1, 2, 3})));
  const std::string opacity = Write("a.jpg", JpegBytes(8, 8, 3, Solid(8, 8, {255, 255, 255})));
  Texture texture;
  texture.LoadJpegWithAlpha(colour, opacity, boxes);
  EXPECT_EQ(texture.name, 0u);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TextureGl, CloudWithMissingOpacityPictureShowsOneBox) {
  const std::string colour = Write("c.jpg", JpegBytes(8, 8, 3, Solid(8, 8, {1, 2, 3})));
  Texture texture;
  texture.LoadJpegWithAlpha(colour, folder.File("missing.jpg"), boxes);
  EXPECT_EQ(texture.name, 0u);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, folder.File("missing.jpg"));
}

// A fresh context unpacks rows on 4-byte boundaries; a 3-pixel RGB row is 9 bytes.
TEST_F(TextureGl, SunOfOddWidthIsUploadedPixelForPixel) {
  Bytes bgr, rgba;
  for (unsigned char i = 0; i < 9; ++i) {
    bgr.insert(bgr.end(), {static_cast<unsigned char>(i * 3), static_cast<unsigned char>(i * 5),
                           static_cast<unsigned char>(i * 7)});
    rgba.insert(rgba.end(), {static_cast<unsigned char>(i * 7), static_cast<unsigned char>(i * 5),
                             static_cast<unsigned char>(i * 3), 255});
  }
  const std::string path = Write("sun.tga", testing::TgaBytes(testing::TgaTypeHeader(2), 3, 3, 24, bgr));
  Texture texture;
  texture.LoadTga(path, boxes);
  ASSERT_NE(texture.name, 0u);
  const Level base = ReadLevel(texture.name, 0);
  EXPECT_EQ(base.width, 3);
  EXPECT_EQ(base.rgba, rgba);
  EXPECT_EQ(ReadLevel(texture.name, 1).width, 0);
  EXPECT_EQ(Filters(texture.name), std::make_pair(GL_LINEAR, GL_LINEAR));
}

TEST_F(TextureGl, SunKeepsItsOwnAlpha) {
  const std::string path = Write(
      "sun.tga", testing::TgaBytes(testing::TgaTypeHeader(10), 2, 1, 32, {0x00, 1, 2, 3, 40, 0x00, 4, 5, 6, 200}));
  Texture texture;
  texture.LoadTga(path, boxes);
  ASSERT_NE(texture.name, 0u);
  EXPECT_EQ(ReadLevel(texture.name, 0).rgba, (Bytes{3, 2, 1, 40, 6, 5, 4, 200}));
}

TEST_F(TextureGl, FailedPicturesLeaveNameZero) {
  Texture jpeg, tga;
  jpeg.LoadJpeg(folder.File("none.jpg"), boxes);
  tga.LoadTga(folder.File("none.tga"), boxes);
  EXPECT_EQ(jpeg.name, 0u);
  EXPECT_EQ(tga.name, 0u);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text, "Could not open texture file");
}

TEST_F(TextureGl, ReleaseDeletesTheGlTexture) {
  const std::string path = Write("back.jpg", JpegBytes(4, 4, 3, Solid(4, 4, {1, 2, 3})));
  Texture texture;
  texture.LoadJpeg(path, boxes);
  const unsigned int name = texture.name;
  ASSERT_EQ(glIsTexture(name), GL_TRUE);
  texture.Release();
  EXPECT_EQ(texture.name, 0u);
  EXPECT_EQ(glIsTexture(name), GL_FALSE);
}

}  // namespace
}  // namespace aerolume::render
