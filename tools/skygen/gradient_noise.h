// Smooth 2-D gradient noise and its fractal sums, the raw material of clouds and haze.
#pragma once

#include <array>
#include <cstdint>

#include "tools/skygen/random_source.h"

namespace aerolume::skygen {

// Perlin-style gradient noise over a permutation drawn from a RandomSource.
class GradientNoise {
 public:
  explicit GradientNoise(RandomSource& random);

  // Noise at (x, y), roughly in [-1, 1], 0 at every integer lattice point.
  float At(float x, float y) const;

  // Sum of `octaves` layers, each twice the frequency and `gain` times the amplitude of the
  // last, each turned a little so lattice directions do not line up; normalised to about [-1, 1].
  float Fractal(float x, float y, int octaves, float gain = 0.5f) const;

  // Like Fractal but of |noise| per octave, folded to give rounded, heaped billows in [0, 1].
  float Billows(float x, float y, int octaves, float gain = 0.5f) const;

 private:
  std::array<std::uint16_t, 512> permutation_{};
};

}  // namespace aerolume::skygen
