#include "render/cloud_picture.h"

#include <cstddef>

namespace aerolume::render {

std::vector<unsigned char> MergeColourAndOpacity(const JpegImage& colour,
                                                 const JpegImage& opacity) {
  const std::size_t count =
      static_cast<std::size_t>(colour.width) * static_cast<std::size_t>(colour.height);
  std::vector<unsigned char> rgba(count * 4);
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned char* c = &colour.pixels[i * 3];
    const unsigned char* o = &opacity.pixels[i * 3];
    rgba[i * 4 + 0] = c[0];
    rgba[i * 4 + 1] = c[1];
    rgba[i * 4 + 2] = c[2];
    rgba[i * 4 + 3] = static_cast<unsigned char>((o[0] + o[1] + o[2]) / 3);
  }
  return rgba;
}

}  // namespace aerolume::render
