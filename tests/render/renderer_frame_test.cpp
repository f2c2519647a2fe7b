// The frame routine drawing real skies with Mesa: what reaches the picture, fades and sky changes,
// skies that are missing, clients without area, and frames that run inside a scene build.
#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

#include "render/renderer.h"
#include "render/sky_scene.h"
#include "tests/render/renderer_test_support.h"

namespace aerolume::render::testing {
namespace {

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};

Rgb Scaled(const Rgb& c, double factor) {
  return {static_cast<int>(std::lround(c.r * factor)), static_cast<int>(std::lround(c.g * factor)),
          static_cast<int>(std::lround(c.b * factor))};
}

// Runs frames until the renderer's skyFrame equals target (the next frame will use it).
void RunUntilSkyFrame(Renderer& renderer, std::int32_t target) {
  while (renderer.SkyFrame() < target) renderer.RenderFrame();
}

using RendererFrameTest = RendererGlTest;

TEST_F(RendererFrameTest, BackgroundShowsWhereNoCloudIs) {
  const Rgb back{40, 120, 200};
  data.AddSky({"calm", back, std::nullopt});
  data.WriteScenarioList({{"calm", 1}});
  Start();
  ASSERT_NE(renderer->CurrentScene(), nullptr);

  std::vector<Rgb> seen;
  const std::vector<PixelPos> spots = {{0, 0}, {kWidth - 1, 0}, {0, kHeight - 1},
                                       {kWidth - 1, kHeight - 1}, {kWidth / 2, kHeight / 2}};
  renderer->SetPresentHook([&] {
    for (const PixelPos& p : spots) seen.push_back(ReadBackPixel(p.x, p.y));
  });
  renderer->RenderFrame();
  for (const Rgb& c : seen) EXPECT_TRUE(Near(c, back)) << Describe(c);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(RendererFrameTest, FirstSkyFadesInFromBlack) {
  const Rgb back{200, 100, 40};
  data.AddSky({"first", back, std::nullopt});
  data.AddSky({"second", back, std::nullopt});
  data.WriteScenarioList({{"first", 1}, {"second", 1}});
  options.changeSkyDuring = 1;
  options.changeFrequency = 5;
  Start();

  EXPECT_TRUE(Near(FrameCentre(), kBlack, 1)) << "frame at skyFrame 0 is fully faded";
  RunUntilSkyFrame(*renderer, 50);
  const Rgb half = FrameCentre();
  EXPECT_TRUE(Near(half, Scaled(back, 0.5))) << Describe(half);
  RunUntilSkyFrame(*renderer, 100);
  EXPECT_TRUE(Near(FrameCentre(), back)) << "fade-in is over at skyFrame 100";
}

struct NoChangeCase {
  const char* name;
  std::vector<std::pair<std::string, int>> skies;  // folder, enabled
  int changeSkyDuring;
};

class RendererNoChangeTest : public RendererGlTest,
                             public ::testing::WithParamInterface<NoChangeCase> {};

TEST_P(RendererNoChangeTest, NeverFadesAndSkyFrameCounts) {
  const Rgb red{230, 20, 20};
  const Rgb blue{20, 20, 230};
  data.AddSky({"red", red, std::nullopt});
  data.AddSky({"blue", blue, std::nullopt});
  data.WriteScenarioList(GetParam().skies);
  options.changeSkyDuring = GetParam().changeSkyDuring;
  options.changeFrequency = 0;  // would change every 100 frames if changes were on
  Start();

  const Rgb first = FrameCentre();
  ASSERT_TRUE(Near(first, red) || Near(first, blue)) << Describe(first);
  for (int frame = 1; frame < 250; ++frame) {
    const Rgb c = FrameCentre();
    ASSERT_TRUE(Near(c, first)) << "frame " << frame << " shows " << Describe(c);
  }
  EXPECT_EQ(renderer->SkyFrame(), 250);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RendererNoChangeTest,
    ::testing::Values(NoChangeCase{"OneEnabledSky", {{"red", 1}, {"blue", 0}}, 1},
                      NoChangeCase{"OnlySkyInList", {{"red", 1}}, 1},
                      NoChangeCase{"ChangesOff", {{"red", 1}, {"blue", 1}}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RendererFrameTest, ChangeFrequencyZeroChangesSkyAtFrameHundred) {
  const Rgb red{240, 0, 0};
  const Rgb blue{0, 0, 240};
  data.AddSky({"red", red, std::nullopt});
  data.AddSky({"blue", blue, std::nullopt});
  data.WriteScenarioList({{"red", 1}, {"blue", 1}});
  options.changeSkyDuring = 1;
  options.changeFrequency = 0;
  Start();

  // Fade-in and fade-out overlap: two half-opaque black quads at skyFrame 50.
  RunUntilSkyFrame(*renderer, 50);
  const Rgb firstSky = FrameCentre();
  const bool startedRed = Near(firstSky, Scaled(red, 0.25));
  ASSERT_TRUE(startedRed || Near(firstSky, Scaled(blue, 0.25))) << Describe(firstSky);

  RunUntilSkyFrame(*renderer, 100);
  EXPECT_TRUE(Near(FrameCentre(), kBlack, 1)) << "the frame that ends the fade-out is black";
  EXPECT_EQ(renderer->SkyFrame(), 1) << "the change restarts the count";
  ASSERT_NE(renderer->CurrentScene(), nullptr);

  RunUntilSkyFrame(*renderer, 50);
  const Rgb secondSky = FrameCentre();
  EXPECT_TRUE(Near(secondSky, Scaled(startedRed ? blue : red, 0.25))) << Describe(secondSky);
}

TEST_F(RendererFrameTest, MissingSunFileShowsWhiteSquare) {
  const Rgb back{40, 80, 160};
  data.AddSky({"sunless", back, std::string("sun.tga")});
  data.WriteScenarioList({{"sunless", 1}});
  Start();

  const PixelPos sun = ProjectToWindow(0, 50, -99, kWidth, kHeight);
  const PixelPos aboveSun = ProjectToWindow(0, 50 + 45, -99, kWidth, kHeight);
  const PixelPos besideSun = ProjectToWindow(45, 50, -99, kWidth, kHeight);
  Rgb atSun, atAbove, atBeside;
  renderer->SetPresentHook([&] {
    atSun = ReadBackPixel(sun.x, sun.y);
    atAbove = ReadBackPixel(aboveSun.x, aboveSun.y);
    atBeside = ReadBackPixel(besideSun.x, besideSun.y);
  });
  renderer->RenderFrame();

  EXPECT_TRUE(Near(atSun, kWhite)) << Describe(atSun);
  EXPECT_TRUE(Near(atAbove, back)) << Describe(atAbove);
  EXPECT_TRUE(Near(atBeside, back)) << Describe(atBeside);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "ERROR");
  EXPECT_EQ(boxes.shown[0].text, "Could not open texture file");
}

struct EmptyListCase {
  const char* name;
  std::optional<std::string> scenarioText;  // none: no file at all
  bool reportsUnreadableFile;
};

class RendererEmptyListTest : public RendererGlTest,
                              public ::testing::WithParamInterface<EmptyListCase> {};

TEST_P(RendererEmptyListTest, NoSceneAndBlackFrames) {
  data.AddSky({"unlisted", {200, 200, 200}, std::nullopt});
  if (GetParam().scenarioText) data.WriteScenarioText(*GetParam().scenarioText);
  options.changeSkyDuring = 1;
  options.changeFrequency = 0;
  Start();

  EXPECT_EQ(renderer->CurrentScene(), nullptr);
  for (int frame = 0; frame < 120; ++frame) {
    const Rgb c = FramePixel(frame % kWidth, frame % kHeight);
    ASSERT_TRUE(Near(c, kBlack, 0)) << "frame " << frame << " shows " << Describe(c);
  }
  EXPECT_EQ(renderer->SkyFrame(), 120);
  if (GetParam().reportsUnreadableFile) {
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Error opening file for reading");
    EXPECT_EQ(boxes.shown[0].caption, data.Path() + "/defaultScenario.xml");
  } else {
    EXPECT_TRUE(boxes.shown.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RendererEmptyListTest,
    ::testing::Values(
        EmptyListCase{"NoFile", std::nullopt, true},
        EmptyListCase{"NotXml", std::string("this is not a sky list"), true},
        EmptyListCase{"NoScenes", std::string("<Aerolume><Other /></Aerolume>"), false},
        EmptyListCase{"NoEntries", std::string("<Aerolume><Scenes /></Aerolume>"), false},
        EmptyListCase{"EntryWithoutPath",
                      std::string("<Aerolume><Scenes><Scene enabled=\"1\" /></Scenes></Aerolume>"),
                      false}),
    [](const auto& info) { return std::string(info.param.name); });

struct ZeroSizeCase {
  const char* name;
  std::int32_t width, height;
  std::int32_t keepAspect;
};

class RendererZeroSizeTest : public RendererGlTest,
                             public ::testing::WithParamInterface<ZeroSizeCase> {};

TEST_P(RendererZeroSizeTest, EmptyViewportDrawsNothingAndRecovers) {
  const Rgb back{60, 140, 90};
  data.AddSky({"a", back, std::nullopt});
  data.AddSky({"b", back, std::nullopt});
  data.WriteScenarioList({{"a", 1}, {"b", 1}});
  options.changeSkyDuring = 1;
  options.changeFrequency = 0;
  options.KeepAspect_1_6 = GetParam().keepAspect;
  Start();
  while (glGetError() != GL_NO_ERROR) {
  }

  renderer->ResizeViewport(GetParam().width, GetParam().height);
  GLint viewport[4] = {-1, -1, -1, -1};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 0);
  EXPECT_EQ(viewport[3], 0);
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  for (GLfloat v : projection) ASSERT_TRUE(std::isfinite(v));

  // Across a sky change (changeFrequency 0: every 100 frames) nothing reaches the window.
  for (int frame = 0; frame < 150; ++frame) {
    ASSERT_TRUE(Near(FrameCentre(), kBlack, 0)) << "frame " << frame;
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(renderer->SkyFrame(), 50);

  // A real size again: the next sky is at its skyFrame 50, under two half-opaque fade quads.
  options.KeepAspect_1_6 = 0;
  renderer->ResizeViewport(kWidth, kHeight);
  EXPECT_TRUE(Near(FrameCentre(), Scaled(back, 0.25)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RendererZeroSizeTest,
    ::testing::Values(ZeroSizeCase{"NoArea", 0, 0, 0}, ZeroSizeCase{"NoWidth", 0, 200, 0},
                      ZeroSizeCase{"NoHeight", 320, 0, 0}, ZeroSizeCase{"Negative", -4, -3, 0},
                      ZeroSizeCase{"KeptAspectOfOnePixel", 1, 200, 1},
                      ZeroSizeCase{"KeptAspectNoWidth", 0, 200, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Message boxes whose modal loop lets frames through, as a preview timer does while a box is up.
class FramePumpingBoxes final : public platform::MessageBoxes {
 public:
  struct InnerFrame {
    bool hadScene;
    Rgb centre;
  };

  Renderer* renderer = nullptr;
  bool shutDownDuringBox = false;
  std::vector<InnerFrame> innerFrames;
  std::vector<std::string> texts;

  platform::Answer Show(const std::string&, const std::string& text, platform::Buttons,
                        platform::Icon) override {
    texts.push_back(text);
    if (renderer == nullptr) return platform::Answer::Ok;
    InnerFrame inner{};
    renderer->SetPresentHook([&] {
      inner.hadScene = renderer->CurrentScene() != nullptr;
      inner.centre = ReadBackPixel(160, 100);
    });
    renderer->RenderFrame();
    renderer->SetPresentHook(nullptr);
    innerFrames.push_back(inner);
    if (shutDownDuringBox) renderer->ShutdownRenderer();
    return platform::Answer::Ok;
  }
};

class RendererReentryTest : public RendererGlTest {
 protected:
  // Two skies whose builds each show a box (their sun file is missing).
  void StartWithPumpingBoxes() {
    data.AddSky({"red", {240, 0, 0}, std::string("missing.tga")});
    data.AddSky({"blue", {0, 0, 240}, std::string("missing.tga")});
    data.WriteScenarioList({{"red", 1}, {"blue", 1}});
    options.changeSkyDuring = 1;
    options.changeFrequency = 0;
    ASSERT_TRUE(window.Ok());
    renderer = std::make_unique<Renderer>(data.Path(), options, pumping);
    pumping.renderer = renderer.get();
    renderer->SetupPixelFormat(window.Dc(), window.Choice());
    renderer->InitRenderer();
    renderer->ResizeViewport(kWidth, kHeight);
  }

  FramePumpingBoxes pumping;
};

TEST_F(RendererReentryTest, FramesDuringABuildFindNoScene) {
  StartWithPumpingBoxes();
  ASSERT_EQ(pumping.innerFrames.size(), 1u) << "the first build showed one box";

  RunUntilSkyFrame(*renderer, 100);
  renderer->RenderFrame();  // ends the fade-out and builds the next sky
  ASSERT_EQ(pumping.innerFrames.size(), 2u);

  renderer->ReplaceScene("red");
  ASSERT_EQ(pumping.innerFrames.size(), 3u);

  for (const auto& inner : pumping.innerFrames) {
    EXPECT_FALSE(inner.hadScene);
    EXPECT_TRUE(Near(inner.centre, kBlack, 0)) << Describe(inner.centre);
  }
  EXPECT_NE(renderer->CurrentScene(), nullptr);
  for (const auto& text : pumping.texts) EXPECT_EQ(text, "Could not open texture file");

  // The renderer carries on with the chosen sky after the nested frames.
  RunUntilSkyFrame(*renderer, 50);
  EXPECT_TRUE(Near(FrameCentre(), Scaled({240, 0, 0}, 0.25)));
}

TEST_F(RendererReentryTest, ShutdownDuringABuildLeavesNoScene) {
  StartWithPumpingBoxes();
  pumping.shutDownDuringBox = true;
  RunUntilSkyFrame(*renderer, 100);
  renderer->RenderFrame();  // the sky change's box shuts the renderer down
  EXPECT_EQ(renderer->CurrentScene(), nullptr);
  EXPECT_TRUE(Near(FrameCentre(), kBlack, 0));
}

}  // namespace
}  // namespace aerolume::render::testing
