// The ripple shader program: compiled and linked from the data folder's shader sources when the
// context offers OpenGL 2.0. No frame binds it or sets its uniforms.
#pragma once

#include <string>

namespace aerolume::render {

// Reads dataFolder + "shaders/ripple.vsh" and ".fsh", compiles them and links a program (fragment
// shader attached first). Returns the program, or 0 when either file is missing or empty; compile
// and link results are not examined. Needs GLEW initialised and OpenGL 2.0. The result is a GL
// program name (kept GL-free here so that GLEW's header order does not leak to includers).
unsigned int PrepareRippleProgram(const std::string& dataFolder);

}  // namespace aerolume::render
