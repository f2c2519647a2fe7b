// The shipped ripple shaders compile and link on the real GL under Xvfb.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/render/offscreen_gl_context.h"

namespace aerolume::skygen {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Compiles one stage; the log when it fails.
GLuint Compile(GLenum stage, const std::string& text, std::string& log) {
  const GLuint shader = glCreateShader(stage);
  const GLchar* source = text.c_str();
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char buffer[2048] = {};
    glGetShaderInfoLog(shader, sizeof buffer, nullptr, buffer);
    log = buffer;
  }
  return shader;
}

TEST(RippleShaderTest, BothStagesCompileLinkAndUseTime) {
  render::testing::OffscreenGlContext context(64, 64);
  ASSERT_TRUE(context.Ready());
  glewInit();
  ASSERT_TRUE(glewIsSupported("GL_VERSION_2_0"));
  const std::string folder = std::string(AEROLUME_SOURCE_DATA_FOLDER) + "/shaders/";
  const std::string vertexText = ReadText(folder + "ripple.vsh");
  const std::string fragmentText = ReadText(folder + "ripple.fsh");
  ASSERT_EQ(vertexText.rfind("#version 110", 0), 0u);
  ASSERT_EQ(fragmentText.rfind("#version 110", 0), 0u);
  std::string log;
  const GLuint vertex = Compile(GL_VERTEX_SHADER, vertexText, log);
  EXPECT_EQ(log, "");
  const GLuint fragment = Compile(GL_FRAGMENT_SHADER, fragmentText, log);
  EXPECT_EQ(log, "");
  const GLuint program = glCreateProgram();
  glAttachShader(program, fragment);
  glAttachShader(program, vertex);
  glLinkProgram(program);
  GLint linked = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  EXPECT_EQ(linked, GL_TRUE);
  // The ripple moves only if time survives as an active uniform.
  EXPECT_GE(glGetUniformLocation(program, "time"), 0);
  glDeleteProgram(program);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
}

}  // namespace
}  // namespace aerolume::skygen
