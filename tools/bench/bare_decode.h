// The floor for building a sky: decoding its JPEG files with libjpeg and nothing else.
#pragma once

#include <string>
#include <vector>

namespace aerolume::tools {

struct JpegSize {
  int width = 0, height = 0;
};

// Decodes the whole file to RGB scan lines into pixels (reused between calls, so that allocation is
// not measured); returns the picture's size, or zeros when the file cannot be opened. No flip, no
// copies, no GL.
JpegSize DecodeJpeg(const std::string& path, std::vector<unsigned char>& pixels);

}  // namespace aerolume::tools
