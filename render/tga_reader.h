// Reading true-colour TGA pictures (uncompressed and run-length encoded) for the sun texture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace aerolume::platform {
class MessageBoxes;
}

namespace aerolume::render {

struct TgaImage {
  std::vector<unsigned char> pixels;  // file order (bottom row first for the usual origin), R, G, B (, A)
  std::int32_t bitsPerPixel = 0;      // 24 or 32
  std::int32_t width = 0;
  std::int32_t height = 0;
  unsigned int format = 0;  // GL_RGB or GL_RGBA (a GLenum; kept GL-free so that this header is)
};

// Reads an uncompressed (type 2) or run-length (type 10) true-colour TGA into image. Every failure
// shows its box and leaves image without pixels. Headers promising more pixels than the file can
// hold, or than is sane to allocate, are refused before anything large is allocated.
bool ReadTga(const std::string& path, TgaImage& image, platform::MessageBoxes& boxes);

}  // namespace aerolume::render
