// ResizeViewport's rectangles and projection aspect, read back from GL.
#include <GL/gl.h>

#include <string>

#include "tests/render/renderer_test_support.h"

namespace aerolume::render::testing {
namespace {

struct ViewportCase {
  const char* name;
  std::int32_t keepAspect;
  std::int32_t width, height;
  GLint expected[4];
  double aspect;
};

class RendererViewportTest : public RendererGlTest,
                             public ::testing::WithParamInterface<ViewportCase> {};

TEST_P(RendererViewportTest, RectangleAndAspect) {
  const ViewportCase& c = GetParam();
  data.AddSky({"sky", {10, 20, 30}, std::nullopt});
  data.WriteScenarioList({{"sky", 1}});
  Start();
  options.KeepAspect_1_6 = c.keepAspect;
  renderer->ResizeViewport(c.width, c.height);

  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(viewport[i], c.expected[i]) << "component " << i;
  // gluPerspective puts f / aspect at [0] and f at [5].
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  EXPECT_NEAR(projection[5] / projection[0], c.aspect, 1e-4);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RendererViewportTest,
    ::testing::Values(
        ViewportCase{"Kept1600x1200", 1, 1600, 1200, {0, 100, 1600, 1000}, 1.6},
        ViewportCase{"Kept1920x1080", 1, 1920, 1080, {0, -60, 1920, 1200}, 1.6},
        ViewportCase{"Kept1001Truncates", 1, 1001, 700, {0, 37, 1001, 625}, 1001.0 / 625.0},
        ViewportCase{"Free1024x768", 0, 1024, 768, {0, 0, 1024, 768}, 1024.0 / 768.0},
        ViewportCase{"Free1920x1080", 0, 1920, 1080, {0, 0, 1920, 1080}, 1920.0 / 1080.0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace aerolume::render::testing
