#include "tools/skygen/background_painter.h"

#include <algorithm>
#include <cmath>

#include "tools/skygen/gradient_noise.h"

namespace aerolume::skygen {
namespace {

// Scene layout in world units: the quad spans x -500..500, y -250..250; at 200 units a
// 100-degree field shows y up to about +-238. The sun quad is centred at (0, 50).
constexpr float kQuadWidth = 1000.0f;
constexpr float kQuadHeight = 500.0f;
constexpr float kVisibleTop = 238.0f;
constexpr float kSunY = 50.0f;
// Where the sky meets the sea of cloud: a little below the middle of the screen, under the sun.
constexpr float kHorizonY = -82.0f;

// The clear sky above the horizon, t from 0 (horizon) to 1 (top of the screen).
Colour SkyGradient(const BackgroundLook& look, float t) {
  // Brightness climbs steeply near the horizon, as in a real sky.
  if (t < look.upperAt) {
    const float s = std::pow(t / look.upperAt, 0.65f);
    return Mix(look.horizon, look.upper, s);
  }
  const float s = SmoothStep(0.0f, 1.0f, (t - look.upperAt) / (1.0f - look.upperAt));
  return Mix(look.upper, look.zenith, s * 0.85f + 0.15f * s * s);
}

// The sea of cloud below the horizon, seen in perspective; depth below the horizon in world
// units. Returns the deck's colour and how much of it shows through the haze.
Colour CloudDeck(const BackgroundLook& look, const GradientNoise& noise, float x, float depth,
                 float& cover) {
  // A flat layer seen from above: across and along it shrink alike with distance, except for
  // the foreshortening of depth/focal, which is what keeps the heaps from smearing into
  // horizontal streaks when the picture is magnified.
  const float distance = 1.0f / (depth + 4.0f);  // large at the horizon, small at the bottom
  const float px = x * distance * 0.16f;
  const float pz = distance * 22.0f;
  const float warp = noise.Fractal(px * 0.7f + 3.1f, pz * 0.7f, 3);
  const float heaps = noise.Billows(px + warp * 0.6f, pz + warp, 4, 0.5f);
  const float relief = SmoothStep(0.45f, 0.9f, heaps);
  // Lit tops face up and towards the far sun; gaps between heaps are shaded.
  const float lit = SmoothStep(0.55f, 0.95f, noise.Billows(px + 0.05f, pz - 0.04f, 3));
  Colour deck = Mix(look.deckShade, look.deckLit, 0.35f + 0.45f * relief + 0.2f * lit);
  // Far away the detail melts into the haze; close up it stays faint too so the clouds in front
  // stand out.
  cover = look.deckStrength * SmoothStep(2.0f, 40.0f, depth) * (0.55f + 0.45f * relief);
  return deck;
}

}  // namespace

ColourPicture PaintBackground(const BackgroundLook& look, int width, int height,
                              RandomSource& random) {
  GradientNoise noise(random);
  ColourPicture picture(width, height);
  const float bottomY = -kVisibleTop;
  for (int row = 0; row < height; ++row) {
    const float y = kQuadHeight * (0.5f - (row + 0.5f) / height);
    for (int column = 0; column < width; ++column) {
      const float x = kQuadWidth * ((column + 0.5f) / width - 0.5f);
      Colour c;
      if (y >= kHorizonY) {
        const float t = std::clamp((y - kHorizonY) / (kVisibleTop - kHorizonY), 0.0f, 1.0f);
        c = SkyGradient(look, t);
        // Distant flat cloud banks resting just above the horizon.
        const float band = 1.0f - SmoothStep(0.0f, 70.0f, y - kHorizonY);
        if (look.bandStrength > 0 && band > 0) {
          // Few octaves: the fine ones turn into scan-line streaks when magnified.
          const float streak = noise.Fractal(x * 0.005f, y * 0.03f + 7.0f, 3);
          const float amount = SmoothStep(0.0f, 0.45f, streak) * band * look.bandStrength;
          c = Mix(c, look.bandColour, amount);
        }
        // Thin high streaks of ice cloud.
        const float high = SmoothStep(kHorizonY + 40.0f, 160.0f, y);
        if (look.cirrusStrength > 0 && high > 0) {
          const float wx = x * 0.0028f + 0.25f * noise.Fractal(x * 0.002f, y * 0.01f, 3);
          const float streak = noise.Fractal(wx, y * 0.014f + 31.0f, 4, 0.5f);
          const float amount = SmoothStep(0.05f, 0.6f, streak) * high * look.cirrusStrength;
          c = Mix(c, look.cirrusColour, amount);
        }
      } else {
        const float depth = kHorizonY - y;
        const float s = SmoothStep(0.0f, kHorizonY - bottomY, depth);
        c = Mix(look.horizon, look.below, s);
        float cover = 0;
        const Colour deck = CloudDeck(look, noise, x, depth, cover);
        c = Mix(c, deck, cover);
      }
      // A warm band along the horizon, strongest under the sun.
      if (look.horizonGlow > 0) {
        const float across = std::exp(-(x * x) / (2.0f * 320.0f * 320.0f));
        const float along = std::exp(-std::fabs(y - kHorizonY) / 38.0f);
        c = c + look.glow * (look.horizonGlow * across * along * 0.6f);
      }
      // Light scattered around the sun: a bright core and a wide soft halo.
      if (look.glowStrength > 0) {
        const float dx = x;
        const float dy = (y - kSunY) * 1.1f;
        const float d = std::sqrt(dx * dx + dy * dy);
        const float halo = 0.35f * std::exp(-d / look.glowWidth) +
                           0.65f * std::exp(-(d * d) / (2.0f * 9.0f * look.glowWidth *
                                                        look.glowWidth));
        c = c + look.glow * (look.glowStrength * halo);
      }
      // Gentle roll-off of over-bright glow instead of a hard clip.
      // Kept below the sun disc's own white.
      auto soft = [](float v) { return v < 0.8f ? v : 0.8f + 0.14f * std::tanh((v - 0.8f) / 0.14f); };
      picture.At(column, row) = {soft(c.r), soft(c.g), soft(c.b)};
    }
  }
  return picture;
}

}  // namespace aerolume::skygen
