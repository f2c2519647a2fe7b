#include "tools/skygen/gradient_noise.h"

#include <cmath>
#include <numeric>
#include <utility>

namespace aerolume::skygen {
namespace {

// Eight unit-ish gradient directions.
constexpr float kGradients[8][2] = {{1, 0},      {-1, 0},      {0, 1},        {0, -1},
                                    {0.7071f, 0.7071f}, {-0.7071f, 0.7071f},
                                    {0.7071f, -0.7071f}, {-0.7071f, -0.7071f}};

// Quintic fade curve: smooth value, slope and curvature at the lattice.
float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

// Per-octave rotation by about 37 degrees.
constexpr float kTurnCos = 0.7986f;
constexpr float kTurnSin = 0.6018f;

}  // namespace

GradientNoise::GradientNoise(RandomSource& random) {
  std::array<std::uint16_t, 256> order{};
  std::iota(order.begin(), order.end(), std::uint16_t{0});
  // Fisher-Yates by hand: std::shuffle's sequence differs between libraries.
  for (std::uint32_t i = 255; i > 0; --i) std::swap(order[i], order[random.Below(i + 1)]);
  for (int i = 0; i < 512; ++i) permutation_[i] = order[i & 255];
}

float GradientNoise::At(float x, float y) const {
  const float fx = std::floor(x);
  const float fy = std::floor(y);
  const int ix = static_cast<int>(fx) & 255;
  const int iy = static_cast<int>(fy) & 255;
  const float dx = x - fx;
  const float dy = y - fy;
  auto corner = [&](int cx, int cy, float px, float py) {
    const float* g = kGradients[permutation_[permutation_[ix + cx] + iy + cy] & 7];
    return g[0] * px + g[1] * py;
  };
  const float n00 = corner(0, 0, dx, dy);
  const float n10 = corner(1, 0, dx - 1, dy);
  const float n01 = corner(0, 1, dx, dy - 1);
  const float n11 = corner(1, 1, dx - 1, dy - 1);
  const float u = Fade(dx);
  const float v = Fade(dy);
  const float bottom = n00 + (n10 - n00) * u;
  const float top = n01 + (n11 - n01) * u;
  return (bottom + (top - bottom) * v) * 1.4142f;
}

float GradientNoise::Fractal(float x, float y, int octaves, float gain) const {
  float sum = 0, amplitude = 1, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * At(x + 17.3f * i, y - 9.1f * i);
    total += amplitude;
    amplitude *= gain;
    const float nx = (x * kTurnCos - y * kTurnSin) * 2.0f;
    y = (x * kTurnSin + y * kTurnCos) * 2.0f;
    x = nx;
  }
  return sum / total;
}

float GradientNoise::Billows(float x, float y, int octaves, float gain) const {
  float sum = 0, amplitude = 1, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * (1.0f - std::fabs(At(x - 5.7f * i, y + 3.9f * i)));
    total += amplitude;
    amplitude *= gain;
    const float nx = (x * kTurnCos - y * kTurnSin) * 2.0f;
    y = (x * kTurnSin + y * kTurnCos) * 2.0f;
    x = nx;
  }
  return sum / total;
}

}  // namespace aerolume::skygen
