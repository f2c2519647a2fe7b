// InitRenderer's one-time set-up: fixed GL state, the OpenGL 2.0 line and the ripple program.
#include <GL/glew.h>

#include <string>

#include "tests/render/renderer_test_support.h"

namespace aerolume::render::testing {
namespace {

using RendererInitTest = RendererGlTest;

TEST_F(RendererInitTest, SetsFixedStateForTheFrames) {
  data.AddSky({"sky", {10, 20, 30}, std::nullopt});
  data.WriteScenarioList({{"sky", 1}});
  data.WriteShaders();
  Start();

  for (GLenum capability : {GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL, GL_TEXTURE_2D, GL_BLEND}) {
    EXPECT_TRUE(glIsEnabled(capability)) << "capability 0x" << std::hex << capability;
  }
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  GLint value = 0;
  glGetIntegerv(GL_SHADE_MODEL, &value);
  EXPECT_EQ(value, GL_FLAT);
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
}

TEST_F(RendererInitTest, PreparesRippleProgramFromDataFolder) {
  data.AddSky({"sky", {10, 20, 30}, std::nullopt});
  data.WriteScenarioList({{"sky", 1}});
  data.WriteShaders();
  ::testing::internal::CaptureStdout();
  Start();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Ready for OpenGL 2.0\n");

  const GLuint program = renderer->RippleProgram();
  ASSERT_NE(program, 0u);
  ASSERT_TRUE(glIsProgram(program));
  GLint linked = 0, shaders = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  glGetProgramiv(program, GL_ATTACHED_SHADERS, &shaders);
  EXPECT_EQ(linked, GL_TRUE);
  EXPECT_EQ(shaders, 2);
  GLint current = -1;
  glGetIntegerv(GL_CURRENT_PROGRAM, &current);
  EXPECT_EQ(current, 0) << "frames use the fixed-function pipeline";
}

struct MissingShaderCase {
  const char* name;
  const char* remove;    // relative to the data folder
  const char* truncate;  // emptied, relative to the data folder
};

class RendererMissingShaderTest : public RendererGlTest,
                                  public ::testing::WithParamInterface<MissingShaderCase> {};

TEST_P(RendererMissingShaderTest, NoProgramAndNoBox) {
  data.AddSky({"sky", {10, 20, 30}, std::nullopt});
  data.WriteScenarioList({{"sky", 1}});
  data.WriteShaders();
  if (*GetParam().remove) std::filesystem::remove(data.Path() + GetParam().remove);
  if (*GetParam().truncate) WriteFile(data.Path() + GetParam().truncate, std::string());
  ::testing::internal::CaptureStdout();
  Start();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Ready for OpenGL 2.0\n");
  EXPECT_EQ(renderer->RippleProgram(), 0u);
  EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RendererMissingShaderTest,
    ::testing::Values(MissingShaderCase{"NoVertexShader", "shaders/ripple.vsh", ""},
                      MissingShaderCase{"NoFragmentShader", "shaders/ripple.fsh", ""},
                      MissingShaderCase{"EmptyFragmentShader", "", "shaders/ripple.fsh"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace aerolume::render::testing
