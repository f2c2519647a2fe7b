// Textures and the picture readers behind them.
//
// Pictures come out of the readers bottom row first, so that texture coordinate t = 0 is the
// picture's bottom edge. Every reader reports its failures in a message box and yields no picture;
// a Texture without a picture keeps name 0 and its quad shows a plain colour.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace aerolume::platform {
class MessageBoxes;
}

namespace aerolume::render {

struct JpegImage {
  std::int32_t rowBytes = 0;  // 3 x width: every picture is expanded to RGB
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<unsigned char> pixels;  // rows bottom first, R, G, B
};

// Decodes a JPEG with libjpeg. A file that cannot be opened or decoded gives the box
// "Unable to load JPG File!" with the path as caption, and no picture.
std::optional<JpegImage> ReadJpeg(const std::string& path, platform::MessageBoxes& boxes);

struct TgaImage {
  std::vector<unsigned char> pixels;  // file order, R, G, B (, A)
  std::int32_t bitsPerPixel = 0;      // 24 or 32
  std::int32_t width = 0;
  std::int32_t height = 0;
  GLenum format = 0;  // GL_RGB or GL_RGBA
};

// Reads an uncompressed (type 2) or run-length (type 10) true-colour TGA into image.
bool ReadTga(const std::string& path, TgaImage& image, platform::MessageBoxes& boxes);

// One OpenGL texture; the texture makers need a current GL context.
class Texture {
 public:
  Texture() = default;
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;
  ~Texture() { Release(); }

  void LoadJpeg(const std::string& path, platform::MessageBoxes& boxes);  // mipmapped background
  void LoadJpegWithAlpha(const std::string& colourPath, const std::string& opacityPath,
                         platform::MessageBoxes& boxes);  // clouds
  void LoadTga(const std::string& path, platform::MessageBoxes& boxes);  // sun
  void Bind() const;
  void Release();

  GLuint name = 0;  // 0: no picture
};

}  // namespace aerolume::render
