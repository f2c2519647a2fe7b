#include "render/texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/cloud_picture.h"

namespace aerolume::render {
namespace {

// Creates the GL texture for name and binds it. Rows are packed: 3-byte pixels of an odd width
// would otherwise be read with padding GL assumes, past the end of the picture.
void CreateBound(unsigned int& name) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
}

}  // namespace

// The background: mipmapped, scaled by GLU to powers of two, sampled without the mipmaps.
void Texture::LoadJpeg(const std::string& path, platform::MessageBoxes& boxes) {
  Release();
  const auto image = ReadJpeg(path, boxes);
  if (!image) return;
  CreateBound(name);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 4, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE,
                    image->pixels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

// The clouds: colour and opacity pictures of one size merged into RGBA, uploaded at their size.
void Texture::LoadJpegWithAlpha(const std::string& colourPath, const std::string& opacityPath,
                                platform::MessageBoxes& boxes) {
  Release();
  const auto colour = ReadJpeg(colourPath, boxes);
  const auto opacity = ReadJpeg(opacityPath, boxes);
  if (!colour || !opacity || colour->width != opacity->width ||
      colour->height != opacity->height) {
    return;
  }
  const auto rgba = MergeColourAndOpacity(*colour, *opacity);
  CreateBound(name);
  glTexImage2D(GL_TEXTURE_2D, 0, 4, colour->width, colour->height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               rgba.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

// The sun: a TGA with or without its own alpha, uploaded at its size.
void Texture::LoadTga(const std::string& path, platform::MessageBoxes& boxes) {
  Release();
  TgaImage image;
  if (!ReadTga(path, image, boxes)) return;
  CreateBound(name);
  glTexImage2D(GL_TEXTURE_2D, 0, 4, image.width, image.height, 0, image.format, GL_UNSIGNED_BYTE,
               image.pixels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

// Makes this texture the current 2D texture; name 0 unbinds, showing the quad's plain colour.
void Texture::Bind() const { glBindTexture(GL_TEXTURE_2D, name); }

// Deletes the GL texture, leaving the Texture without a picture.
void Texture::Release() {
  if (name == 0) return;
  glDeleteTextures(1, &name);
  name = 0;
}

}  // namespace aerolume::render
