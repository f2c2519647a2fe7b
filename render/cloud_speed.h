// The mapping from the two speed sliders (0 to 100) to cloud velocities in world units per frame.
#pragma once

#include <cstdint>

namespace aerolume::render {

// Depth velocity for the "Clouds speed" slider: (s - 50) x 0.01, except that the middle gives
// 0.01 so that the clouds never stand still.
float DepthVelocity(std::int32_t zSpeed);

// Sideways velocity for the direction slider, proportional to the depth speed vz:
// (s - 50) / |100 / vz|, 0 at the slider's middle.
float SidewaysVelocity(std::int32_t xSpeed, float vz);

}  // namespace aerolume::render
