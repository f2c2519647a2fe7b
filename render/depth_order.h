// Putting the cloud quads in drawing order, farthest first, for back-to-front blending.
#pragma once

#include <span>

namespace aerolume::render {

struct SpriteQuad;

// A fixed bubble sort on z, ascending: n - 1 full passes, no early exit; equal depths keep their
// order.
void SortByDepth(std::span<SpriteQuad*> clouds);

}  // namespace aerolume::render
