#include "render/cloud_speed.h"

#include <cmath>

namespace aerolume::render {

float DepthVelocity(std::int32_t zSpeed) {
  if (zSpeed == 50) return 0.01f;
  return static_cast<float>((zSpeed - 50) * 0.01);
}

float SidewaysVelocity(std::int32_t xSpeed, float vz) {
  const float d = std::fabs(100 / vz);
  return static_cast<float>(xSpeed - 50) / d;
}

}  // namespace aerolume::render
