// Files that the renderer tests write for themselves, on top of the render tests' picture fixtures.
#pragma once

#include <string>

#include "tests/render/picture_fixtures.h"

namespace aerolume::render::testing {

// A JPEG of width x height pixels of one RGB colour, as the bytes of a file.
inline std::string SolidJpeg(int width, int height, unsigned char r, unsigned char g,
                             unsigned char b) {
  const Bytes jpeg = JpegBytes(width, height, 3, Solid(width, height, {r, g, b}));
  return std::string(jpeg.begin(), jpeg.end());
}

}  // namespace aerolume::render::testing
