// Paints the background picture of a sky.
#pragma once

#include "tools/skygen/picture.h"
#include "tools/skygen/random_source.h"
#include "tools/skygen/sky_preset.h"

namespace aerolume::skygen {

// The background, width x height, laid out for a 1000 x 500 quad seen 200 units away with a
// 100-degree vertical field of view: the sun's glow sits where the sun quad is drawn.
ColourPicture PaintBackground(const BackgroundLook& look, int width, int height,
                              RandomSource& random);

}  // namespace aerolume::skygen
