// Pictures as the generator paints them: floating-point pixels, top row first.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace aerolume::skygen {

// An RGB colour with components from 0 to 1.
struct Colour {
  float r = 0, g = 0, b = 0;
};

inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator*(Colour a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

// Linear blend from a (t = 0) to b (t = 1).
inline Colour Mix(Colour a, Colour b, float t) { return a + (b + a * -1.0f) * t; }

// Hermite step from 0 at edge0 to 1 at edge1.
inline float SmoothStep(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

// A width x height grid of values, row-major, top row first.
template <typename T>
class Grid {
 public:
  Grid(int width, int height)
      : width_(width), height_(height), cells_(static_cast<std::size_t>(width) * height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  T& At(int x, int y) { return cells_[static_cast<std::size_t>(y) * width_ + x]; }
  const T& At(int x, int y) const { return cells_[static_cast<std::size_t>(y) * width_ + x]; }

 private:
  int width_;
  int height_;
  std::vector<T> cells_;
};

using ColourPicture = Grid<Colour>;
using GreyPicture = Grid<float>;

// An RGBA picture for the sun: colour plus coverage.
struct RgbaPicture {
  ColourPicture colour;
  GreyPicture alpha;
};

}  // namespace aerolume::skygen
