// Paints the sun picture: a bright disc in a glow that fades out before the picture's edge.
#pragma once

#include "tools/skygen/picture.h"
#include "tools/skygen/sky_preset.h"

namespace aerolume::skygen {

// The sun, size x size pixels; alpha reaches 0 inside the inscribed circle, so the square
// quad's edges never show.
RgbaPicture PaintSun(const SunLook& look, int size);

}  // namespace aerolume::skygen
