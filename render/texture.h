// Textures and the picture readers behind them.
//
// Pictures come out of the readers bottom row first, so that texture coordinate t = 0 is the
// picture's bottom edge. Every reader reports its failures in a message box and yields no picture;
// a Texture without a picture keeps name 0 and its quad shows a plain colour.
#pragma once

#include <string>

#include "render/jpeg_reader.h"
#include "render/tga_reader.h"

namespace aerolume::platform {
class MessageBoxes;
}

namespace aerolume::render {

// One OpenGL texture; the texture makers and Release need a current GL context (Release does
// nothing while name is 0, so a Texture without a picture can be dropped anywhere).
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

  unsigned int name = 0;  // the GL texture name (a GLuint); 0: no picture
};

}  // namespace aerolume::render
