// The motion of one cloud: position, velocity, and the quad it moves and fades.
#pragma once

#include <cstdint>

namespace aerolume::render {

struct SpriteQuad;

// Counts cloud wraps over the whole process, across all scenes; picks the next entry region.
extern std::int32_t respawnCount;

struct CloudMotion {
  float x = 0, y = 0, z = 0;
  float vx = 0, vy = 0, vz = 0;
  SpriteQuad* quad = nullptr;  // not owned

  void Set(SpriteQuad* q, float px, float py, float pz, float pvx, float pvy, float pvz);
  bool Step();     // fade by depth, move, wrap; true when a quad was moved
  bool Respawn();  // true when the cloud wrapped to the other end of the depth range
};

// A cloud's opacity at depth z: fades in over 0..50, opaque to 90, fades out to 100.
float OpacityAtDepth(float z);

}  // namespace aerolume::render
