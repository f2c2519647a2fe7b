// Writing an RGB picture as a PNG file with libpng.
#pragma once

#include <string>
#include <vector>

namespace aerolume::tools {

// Writes width x height RGB pixels, rows top first, to path. Empty on success, otherwise what went
// wrong.
std::string WritePng(const std::string& path, int width, int height,
                     const std::vector<unsigned char>& rgbTopFirst);

}  // namespace aerolume::tools
