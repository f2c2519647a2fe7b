// Whole sky scenes built from small fixture skies on disk and drawn with real Mesa GL.
#include "render/sky_scene.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <tuple>

#include "platform/fakes/recording_message_boxes.h"
#include "settings/saver_options.h"
#include "tests/render/offscreen_gl_context.h"
#include "tests/render/picture_fixtures.h"

namespace aerolume::render {
namespace {

using testing::Bytes;
using testing::JpegBytes;
using testing::Solid;

constexpr int kWidth = 200, kHeight = 100;  // pixels; 5 world units each in the view below
const char* const kSky = "skies/test";

// The pixel showing world point (x, y) in the view of LookAtBackground.
std::pair<int, int> PixelOf(float x, float y) {
  return {static_cast<int>((x + 500) / 5), static_cast<int>((y + 250) / 5)};
}

class SkySceneGl : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(context.Ready()) << "no GLX pbuffer context";
    dataFolder = folder.Path() + "/data/";
    options.zSpeed = 51;
    options.xSpeed = 50;
    options.changeFrequency = 5;
  }

  std::string SkyFile(const std::string& name) const { return dataFolder + kSky + "/" + name; }

  void WriteScene(const std::string& xml) { testing::WriteFile(SkyFile("scene.xml"), xml); }

  // Background: top half red, bottom half blue.
  void WriteBack() {
    Bytes pixels = Solid(16, 4, {255, 0, 0});
    const Bytes bottom = Solid(16, 4, {0, 0, 255});
    pixels.insert(pixels.end(), bottom.begin(), bottom.end());
    testing::WriteFile(SkyFile("back.jpg"), JpegBytes(16, 8, 3, pixels));
  }

  // Sun: opaque yellow, 32 bits.
  void WriteSun() {
    testing::WriteFile(SkyFile("sun.tga"), testing::TgaBytes(testing::TgaTypeHeader(2), 4, 4, 32,
                                                             Solid(4, 4, {0, 255, 255, 255})));
  }

  void WriteCloud(const std::string& name, const Bytes& rgb) {
    testing::WriteFile(SkyFile(name), JpegBytes(8, 8, 3, Solid(8, 8, rgb)));
  }

  void WriteFullSky() {
    WriteBack();
    WriteSun();
    WriteCloud("cloud.jpg", {0, 255, 0});
    WriteCloud("cloudalpha.jpg", {255, 255, 255});
    WriteScene(R"(<Scene><Back file="back.jpg"/><Sun file="sun.tga"/>
                  <Clouds><Cloud file="cloud.jpg" alpha="cloudalpha.jpg"/></Clouds></Scene>)");
  }

  std::unique_ptr<SkyScene> Build() {
    return std::make_unique<SkyScene>(kSky, SceneContext{dataFolder, options, boxes});
  }

  // An orthographic view of the whole background, cleared to black, texturing on.
  void LookAtBackground() {
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-500, 500, -250, 250, -200, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  std::array<int, 4> PixelAtWorld(float x, float y) const {
    const auto [px, py] = PixelOf(x, y);
    return context.PixelAt(px, py);
  }

  testing::OffscreenGlContext context{kWidth, kHeight};
  testing::TempFolder folder;
  std::string dataFolder;
  settings::SaverOptions options;
  platform::RecordingMessageBoxes boxes;
};

// Each colour channel of pixel within tolerance of (r, g, b); reported at the caller's line.
#define EXPECT_COLOUR(pixel, r, g, b, tolerance)                                      \
  do {                                                                                \
    const std::array<int, 4> actual = (pixel);                                        \
    EXPECT_TRUE(std::abs(actual[0] - (r)) <= (tolerance) &&                           \
                std::abs(actual[1] - (g)) <= (tolerance) &&                           \
                std::abs(actual[2] - (b)) <= (tolerance))                             \
        << "pixel (" << actual[0] << ", " << actual[1] << ", " << actual[2]          \
        << "), expected (" << (r) << ", " << (g) << ", " << (b) << ")";               \
  } while (false)

TEST_F(SkySceneGl, FullSkyHasItsTexturesAndLayout) {
  WriteFullSky();
  const auto scene = Build();
  EXPECT_TRUE(boxes.shown.empty());
  ASSERT_TRUE(scene->HasQuads());
  ASSERT_NE(scene->BackTexture(), nullptr);
  ASSERT_NE(scene->SunTexture(), nullptr);
  ASSERT_NE(scene->CloudTexture(), nullptr);
  EXPECT_NE(scene->BackTexture()->name, 0u);
  EXPECT_NE(scene->SunTexture()->name, 0u);
  EXPECT_NE(scene->CloudTexture()->name, 0u);

  const SpriteQuad& back = *scene->BackQuad();
  EXPECT_EQ(std::make_tuple(back.x, back.y, back.z, back.width, back.height),
            std::make_tuple(0.f, 0.f, -100.f, 1000.f, 500.f));
  EXPECT_EQ(std::make_tuple(back.r, back.g, back.b, back.a), std::make_tuple(1.f, 1.f, 1.f, 1.f));
  EXPECT_EQ(back.texture, scene->BackTexture());
  const SpriteQuad& sun = *scene->SunQuad();
  EXPECT_EQ(std::make_tuple(sun.x, sun.y, sun.z, sun.width, sun.height),
            std::make_tuple(0.f, 50.f, -99.f, 60.f, 60.f));
  EXPECT_EQ(sun.texture, scene->SunTexture());
  const SpriteQuad& fade = *scene->FadeQuad();
  EXPECT_EQ(std::make_tuple(fade.x, fade.y, fade.z, fade.width, fade.height),
            std::make_tuple(0.f, 0.f, -9.f, 600.f, 600.f));
  EXPECT_EQ(std::make_tuple(fade.r, fade.g, fade.b), std::make_tuple(0.f, 0.f, 0.f));
  EXPECT_EQ(fade.texture, nullptr);

  std::set<const SpriteQuad*> drawn, moved;
  for (int i = 0; i < kCloudCount; ++i) {
    const SpriteQuad* cloud = scene->Clouds()[i];
    EXPECT_EQ(cloud->texture, scene->CloudTexture());
    if (i > 0) {
      EXPECT_LE(scene->Clouds()[i - 1]->z, cloud->z) << "drawing order at " << i;
    }
    drawn.insert(cloud);
    moved.insert(scene->Motions()[i]->quad);
  }
  EXPECT_EQ(drawn.size(), static_cast<std::size_t>(kCloudCount));
  EXPECT_EQ(drawn, moved);
}

TEST_F(SkySceneGl, PicturesAppearUprightAndTheSunInItsColour) {
  WriteFullSky();
  const auto scene = Build();
  LookAtBackground();
  scene->BackQuad()->Draw();
  EXPECT_COLOUR(PixelAtWorld(-400, 200), 255, 0, 0, 12);   // top: red
  EXPECT_COLOUR(PixelAtWorld(-400, -200), 0, 0, 255, 12);  // bottom: blue

  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  scene->SunQuad()->Draw();
  EXPECT_COLOUR(PixelAtWorld(0, 50), 255, 255, 0, 12);
  EXPECT_COLOUR(PixelAtWorld(0, 0), 0, 0, 0, 0);

  // The whole scene paints the background first; the clouds stay near the middle.
  scene->Draw();
  EXPECT_COLOUR(PixelAtWorld(-450, 180), 255, 0, 0, 12);
  EXPECT_COLOUR(PixelAtWorld(450, -180), 0, 0, 255, 12);
}

TEST_F(SkySceneGl, MissingSunFileGivesAWhiteSquareWithoutPicture) {
  WriteBack();
  WriteScene(R"(<Scene><Back file="back.jpg"/><Sun file="nosun.tga"/></Scene>)");
  const auto scene = Build();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "ERROR");
  EXPECT_EQ(boxes.shown[0].text, "Could not open texture file");
  ASSERT_NE(scene->SunQuad(), nullptr);
  const SpriteQuad& sun = *scene->SunQuad();
  EXPECT_EQ(std::make_tuple(sun.x, sun.y, sun.z, sun.width, sun.height),
            std::make_tuple(0.f, 50.f, -99.f, 60.f, 60.f));
  ASSERT_NE(sun.texture, nullptr);
  EXPECT_EQ(sun.texture->name, 0u);

  LookAtBackground();
  sun.Draw();
  EXPECT_COLOUR(PixelAtWorld(0, 50), 255, 255, 255, 0);
  EXPECT_COLOUR(PixelAtWorld(0, 0), 0, 0, 0, 0);
}

TEST_F(SkySceneGl, OnlyBackGivesNoSunAndUntexturedClouds) {
  WriteBack();
  WriteScene(R"(<Scene><Back file="back.jpg"/></Scene>)");
  const auto scene = Build();
  EXPECT_TRUE(boxes.shown.empty());
  ASSERT_TRUE(scene->HasQuads());
  EXPECT_NE(scene->BackTexture()->name, 0u);
  EXPECT_EQ(scene->SunQuad(), nullptr);
  EXPECT_EQ(scene->SunTexture(), nullptr);
  EXPECT_EQ(scene->CloudTexture(), nullptr);
  for (const SpriteQuad* cloud : scene->Clouds()) {
    ASSERT_NE(cloud, nullptr);
    EXPECT_EQ(cloud->texture, nullptr);
  }
}

TEST_F(SkySceneGl, LastCloudEntryWins) {
  WriteCloud("red.jpg", {255, 0, 0});
  WriteCloud("blue.jpg", {0, 0, 255});
  WriteCloud("opaque.jpg", {255, 255, 255});
  WriteScene(R"(<Scene><Clouds><Cloud file="red.jpg" alpha="opaque.jpg"/>
                <Cloud file="blue.jpg" alpha="opaque.jpg"/></Clouds></Scene>)");
  const auto scene = Build();
  EXPECT_TRUE(boxes.shown.empty());
  ASSERT_NE(scene->CloudTexture(), nullptr);
  ASSERT_NE(scene->CloudTexture()->name, 0u);
  for (const SpriteQuad* cloud : scene->Clouds()) EXPECT_EQ(cloud->texture, scene->CloudTexture());

  unsigned char texel[8 * 8 * 4];
  glBindTexture(GL_TEXTURE_2D, scene->CloudTexture()->name);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
  EXPECT_LT(texel[0], 20);
  EXPECT_GT(texel[2], 235);
  EXPECT_EQ(texel[3], 255);
}

// Sizes come from the generator's 2nd and 1st values of each cloud, start positions from its 4th
// and 3rd; the warm-up then moves the clouds 1500 steps. An entry lacking a picture must not
// change how many values are drawn.
TEST_F(SkySceneGl, CloudsTakeTheirSizesAndStartsFromFourDrawsEach) {
  const struct {
    const char* xml;
    bool textured;
  } descriptions[] = {
      {R"(<Scene><Clouds><Cloud file="cloud.jpg" alpha="cloudalpha.jpg"/></Clouds></Scene>)", true},
      {R"(<Scene><Clouds><Cloud file="cloud.jpg"/></Clouds></Scene>)", false},
      {R"(<Scene><Clouds><Cloud alpha="cloudalpha.jpg"/></Clouds></Scene>)", false},
  };
  WriteCloud("cloud.jpg", {0, 255, 0});
  WriteCloud("cloudalpha.jpg", {255, 255, 255});
  for (const auto& description : descriptions) {
    SCOPED_TRACE(description.xml);
    WriteScene(description.xml);
    std::srand(4242);
    const auto scene = Build();
    EXPECT_TRUE(boxes.shown.empty());
    ASSERT_NE(scene->CloudTexture(), nullptr);

    std::srand(4242);
    for (int i = 0; i < kCloudCount; ++i) {
      SCOPED_TRACE(::testing::Message() << "cloud " << i);
      const int r1 = std::rand(), r2 = std::rand(), r3 = std::rand(), r4 = std::rand();
      const CloudMotion& motion = *scene->Motions()[i];
      EXPECT_EQ(motion.quad->width, 100 + r2 % 50);
      EXPECT_EQ(motion.quad->height, 100 + r1 % 50);
      EXPECT_EQ(motion.quad->texture, scene->CloudTexture());
      EXPECT_EQ(motion.vx, 0);
      EXPECT_FLOAT_EQ(motion.vz, 0.01f);
      // Clouds 0 to 16 end the warm-up at most at z 95 without wrapping, where they started
      // sideways.
      if (i <= 16) {
        EXPECT_EQ(motion.x, 40 - r4 % 80);
        EXPECT_EQ(motion.y, 40 - r3 % 80);
        EXPECT_NEAR(motion.z, 5 * i + 15, i == 0 ? 0.003 : 0.02);
        EXPECT_EQ(motion.quad->x, motion.x);
        EXPECT_EQ(motion.quad->z, motion.z);
      }
    }
    EXPECT_EQ(scene->CloudTexture()->name != 0, description.textured);
    EXPECT_NEAR(scene->Motions()[0]->quad->a, 14.99f / 50, 0.001);
  }
}

TEST_F(SkySceneGl, SpeedOptionsSetEveryMotion) {
  WriteScene("<Scene/>");
  options.zSpeed = 100;
  options.xSpeed = 75;
  auto scene = Build();
  for (const auto& motion : scene->Motions()) {
    EXPECT_FLOAT_EQ(motion->vz, 0.5f);
    EXPECT_FLOAT_EQ(motion->vx, 0.125f);
  }
  scene->SetZSpeed(0);
  scene->SetXSpeed(100);
  for (const auto& motion : scene->Motions()) {
    EXPECT_FLOAT_EQ(motion->vz, -0.5f);
    EXPECT_FLOAT_EQ(motion->vx, 0.25f);
  }
}

TEST_F(SkySceneGl, FadeQuadCoversTheSkyByFrame) {
  WriteFullSky();
  const auto scene = Build();
  struct Case {
    std::int32_t frame;
    bool ended;
    int red;  // of the red top of the background after the fade
  };
  const Case cases[] = {{0, false, 0}, {50, false, 128}, {99, false, 252}, {500, false, 255},
                        {10050, false, 128}, {10100, true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "frame " << c.frame);
    LookAtBackground();
    scene->BackQuad()->Draw();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(scene->StepFade(c.frame), c.ended);
    EXPECT_COLOUR(PixelAtWorld(0, 200), c.red, 0, 0, 8);
  }
  EXPECT_FLOAT_EQ(scene->FadeQuad()->a, 1.0f);  // left from the last fade-out draw
}

TEST_F(SkySceneGl, ReleasingTheSceneDeletesItsTextures) {
  WriteFullSky();
  auto scene = Build();
  const unsigned int names[] = {scene->BackTexture()->name, scene->SunTexture()->name,
                                scene->CloudTexture()->name};
  for (unsigned int name : names) EXPECT_EQ(glIsTexture(name), GL_TRUE);
  scene.reset();
  for (unsigned int name : names) EXPECT_EQ(glIsTexture(name), GL_FALSE);
}

// A description that cannot be used leaves a scene without quads that the renderer can still
// update, draw, fade and release every frame.
TEST_F(SkySceneGl, UnusableDescriptionGivesAnEmptySceneThatBearsEveryOperation) {
  const struct {
    const char* name;
    std::optional<std::string> xml;  // none: no file
    bool box;
  } cases[] = {{"missing", {}, true},
               {"malformed", "<Scene><Back file='back.jpg'>", true},
               {"no element", "<?xml version=\"1.0\"?><!-- nothing -->", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.shown.clear();
    std::filesystem::remove_all(dataFolder);
    if (c.xml) WriteScene(*c.xml);
    auto scene = Build();
    if (c.box) {
      ASSERT_EQ(boxes.shown.size(), 1u);
      EXPECT_EQ(boxes.shown[0].caption, dataFolder + "skies/test/scene.xml");
      EXPECT_EQ(boxes.shown[0].text, "Error opening file for reading");
    } else {
      EXPECT_TRUE(boxes.shown.empty());
    }
    EXPECT_FALSE(scene->HasQuads());
    EXPECT_EQ(scene->BackQuad(), nullptr);
    EXPECT_EQ(scene->SunQuad(), nullptr);
    EXPECT_EQ(scene->FadeQuad(), nullptr);
    EXPECT_EQ(scene->BackTexture(), nullptr);
    for (int i = 0; i < kCloudCount; ++i) {
      EXPECT_EQ(scene->Clouds()[i], nullptr);
      EXPECT_EQ(scene->Motions()[i], nullptr);
    }

    LookAtBackground();
    scene->Update();
    scene->SetZSpeed(70);
    scene->SetXSpeed(20);
    scene->Draw();
    EXPECT_FALSE(scene->StepFade(0));
    EXPECT_TRUE(scene->StepFade(10100));  // the renderer still moves on to the next sky
    EXPECT_COLOUR(context.PixelAt(100, 50), 0, 0, 0, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    scene.reset();
  }
}

}  // namespace
}  // namespace aerolume::render
