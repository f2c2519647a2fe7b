#include "render/depth_order.h"

#include <utility>

#include "render/sprite_quad.h"

namespace aerolume::render {

void SortByDepth(std::span<SpriteQuad*> clouds) {
  if (clouds.size() < 2) return;
  for (std::size_t pass = 0; pass + 1 < clouds.size(); ++pass) {
    for (std::size_t j = 0; j + 1 < clouds.size(); ++j) {
      if (clouds[j + 1]->z < clouds[j]->z) std::swap(clouds[j], clouds[j + 1]);
    }
  }
}

}  // namespace aerolume::render
