// Paints the cloud picture: a colour picture and its opacity picture of the same size.
#pragma once

#include "tools/skygen/picture.h"
#include "tools/skygen/random_source.h"
#include "tools/skygen/sky_preset.h"

namespace aerolume::skygen {

// One cloud picture pair.
struct CloudPictures {
  ColourPicture colour;
  GreyPicture opacity;
};

// Fraction of the picture's side, at every edge, in which the opacity is exactly 0.
constexpr float kCloudClearMargin = 0.05f;

// A heaped cloud (or a small cluster) size x size, lit from above by the sun's side; its
// opacity fades smoothly to exactly 0 before the clear margin at every edge.
CloudPictures PaintCloud(const CloudLook& look, int size, RandomSource& random);

}  // namespace aerolume::skygen
