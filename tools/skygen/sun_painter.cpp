#include "tools/skygen/sun_painter.h"

#include <algorithm>
#include <cmath>

namespace aerolume::skygen {

RgbaPicture PaintSun(const SunLook& look, int size) {
  RgbaPicture picture{ColourPicture(size, size), GreyPicture(size, size)};
  const float half = size * 0.5f;
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      const float dx = (column + 0.5f - half) / half;
      const float dy = (row + 0.5f - half) / half;
      const float r = std::sqrt(dx * dx + dy * dy);  // 0 centre, 1 middle of an edge
      const float disc = 1.0f - SmoothStep(look.discRadius - look.discEdge,
                                           look.discRadius + look.discEdge, r);
      const float outside = std::max(0.0f, r - look.discRadius);
      float glow = look.glowStrength *
                   (0.6f * std::exp(-outside / (0.35f * look.glowWidth)) +
                    0.4f * std::exp(-(outside * outside) / (2.0f * look.glowWidth * look.glowWidth)));
      glow *= 1.0f - SmoothStep(0.45f, 0.97f, r);  // zero well before the edge
      const float alpha = std::clamp(std::max(disc * look.discOpacity, glow), 0.0f, 1.0f);
      // The glow whitens towards the disc, so it is always brighter than the sky behind it.
      const float heat = std::exp(-outside / (0.45f * look.glowWidth));
      Colour c = Mix(look.glow, look.disc, std::max(disc, 0.25f + 0.75f * heat));
      // Outside the glow one constant colour keeps the run-length packets long.
      const bool clear = r >= 0.98f;
      picture.colour.At(column, row) = clear ? look.glow : c;
      picture.alpha.At(column, row) = clear ? 0.0f : alpha;
    }
  }
  return picture;
}

}  // namespace aerolume::skygen
