#include <GL/glew.h>

#include "render/ripple_program.h"

#include "render/text_file.h"

namespace aerolume::render {

namespace {

// Hands the shader its text as one null-terminated string.
void SetSource(GLuint shader, const std::string& text) {
  const GLchar* source = text.c_str();
  glShaderSource(shader, 1, &source, nullptr);
}

}  // namespace

unsigned int PrepareRippleProgram(const std::string& dataFolder) {
  const GLuint vertexShader = glCreateShader(GL_VERTEX_SHADER);
  const GLuint fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
  const auto vertexText = ReadTextFile(dataFolder + "shaders/ripple.vsh");
  const auto fragmentText = vertexText ? ReadTextFile(dataFolder + "shaders/ripple.fsh")
                                       : std::nullopt;
  if (!vertexText || !fragmentText) {
    // Nothing will use these; do not leave them behind.
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    return 0;
  }
  SetSource(vertexShader, *vertexText);
  SetSource(fragmentShader, *fragmentText);
  glCompileShader(vertexShader);
  glCompileShader(fragmentShader);

  const GLuint program = glCreateProgram();
  glAttachShader(program, fragmentShader);
  glAttachShader(program, vertexShader);
  glLinkProgram(program);
  return program;
}

}  // namespace aerolume::render
