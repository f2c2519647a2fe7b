#include "render/cloud_motion.h"

#include <cstdlib>

#include "render/sprite_quad.h"

namespace aerolume::render {

std::int32_t respawnCount = 0;

float OpacityAtDepth(float z) {
  if (z < 50) return 1 - (50 - z) / 50;
  if (z > 90) return 1 - (z - 90) / 10;
  return 1;
}

// Attaches the motion to quad q with a start position and velocity.
void CloudMotion::Set(SpriteQuad* q, float px, float py, float pz, float pvx, float pvy,
                      float pvz) {
  quad = q;
  x = px;
  y = py;
  z = pz;
  vx = pvx;
  vy = pvy;
  vz = pvz;
}

// One frame: the opacity of the depth before the move, the move, a possible wrap, the new centre.
bool CloudMotion::Step() {
  if (quad == nullptr) return false;
  quad->a = OpacityAtDepth(z);
  x += vx;
  y += vy;
  z += vz;
  Respawn();
  quad->SetPosition(x, y, z);
  return true;
}

// Wraps a cloud that left the depth range to its other end and brings it in at the next of the
// three entry regions (right, left, below), invisible for this frame.
bool CloudMotion::Respawn() {
  if (vz > 0 && z > 100) {
    z = 0;
  } else if (vz < 0 && z < 0) {
    z = 99;
  } else {
    return false;
  }
  const int r1 = std::rand();
  const int r2 = std::rand();
  x = static_cast<float>(75 + r1 % 24);
  y = static_cast<float>(10 - r2 % 30);
  const int k = respawnCount % 3;
  if (k == 1) {
    x = -x;
  } else if (k == 2) {
    const int r3 = std::rand();
    const int r4 = std::rand();
    x = static_cast<float>(20 - r3 % 40);
    y = static_cast<float>(-40 - r4 % 50);
  }
  ++respawnCount;
  if (quad != nullptr) {
    quad->r = 1;
    quad->g = 1;
    quad->b = 1;
    quad->a = 0;
  }
  return true;
}

}  // namespace aerolume::render
