// A seeded pseudo-random source whose numbers are the same on every standard library.
#pragma once

#include <cstdint>
#include <random>

namespace aerolume::skygen {

// Wraps std::mt19937 (its sequence is fixed by the standard) and turns its output into numbers
// by integer arithmetic, so a seed gives the same sky everywhere.
class RandomSource {
 public:
  explicit RandomSource(std::uint32_t seed) : engine_(seed) {}

  // Next raw 32-bit value.
  std::uint32_t Next() { return static_cast<std::uint32_t>(engine_()); }

  // Uniform in [0, 1) with 24 bits of resolution.
  float Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }

  // Uniform in [low, high).
  float Between(float low, float high) { return low + (high - low) * Unit(); }

  // Uniform integer in [0, count); count must be positive.
  std::uint32_t Below(std::uint32_t count) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(Next()) * count) >> 32);
  }

 private:
  std::mt19937 engine_;
};

}  // namespace aerolume::skygen
