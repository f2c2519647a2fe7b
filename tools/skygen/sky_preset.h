// The looks the generator can paint: colours and shapes of one kind of sky.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "tools/skygen/picture.h"

namespace aerolume::skygen {

// The background: gradient, sun glow, haze, and faint distant clouds.
struct BackgroundLook {
  Colour zenith;           // top of the visible sky
  Colour upper;            // the sky at upperAt of the way from horizon to top
  Colour horizon;          // the sky just above the horizon
  float upperAt;           // 0 to 1
  Colour below;            // the haze at the bottom of the picture
  Colour glow;             // light scattered around the sun
  float glowStrength;      // 0 for none
  float glowWidth;         // world units
  float horizonGlow;       // extra warmth along the horizon below the sun, 0 for none
  Colour deckLit;          // tops of the sea of clouds below the horizon
  Colour deckShade;        // gaps between them
  float deckStrength;      // 0 for plain haze
  Colour bandColour;       // distant cloud bands just above the horizon
  float bandStrength;      // 0 for none
  Colour cirrusColour;     // thin high streaks
  float cirrusStrength;    // 0 for none
};

// The sun picture: a disc and its glow.
struct SunLook {
  Colour disc;
  Colour glow;
  float discRadius;        // fraction of half the picture
  float discEdge;          // softness of the disc's rim, same unit
  float discOpacity;       // below 1 for a sun behind haze
  float glowStrength;
  float glowWidth;         // fraction of half the picture
};

// The cloud picture: shape and light.
struct CloudLook {
  Colour lit;              // faces towards the sun
  Colour shade;            // self-shadowed cores and undersides
  Colour rim;              // thin edges lit from behind
  float rimStrength;
  int lobes;               // heaps around the main one
  float spread;            // 0 compact cumulus heap, 1 wide flat patch
  float thickness;         // opacity build-up inside the cloud
  float shadowDepth;       // how dark the far side from the sun gets, 0 to 1
  float baseDarkening;     // extra grey at the flat base, 0 to 1
  float lightTilt;         // sideways lean of the light, -1 to 1 (0: straight from above)
  float maxOpacity;        // cap on the opacity, 0 to 1
  float width;             // the main cloud's width as a fraction of the picture's, 0.1 to 0.7
};

// A named sky.
struct SkyPreset {
  std::string_view name;
  std::string_view description;
  BackgroundLook background;
  SunLook sun;
  CloudLook cloud;
};

// Every preset the generator knows, in the order --list-presets shows them.
std::span<const SkyPreset> AllPresets();

// The preset of that name, or nullptr.
const SkyPreset* FindPreset(std::string_view name);

}  // namespace aerolume::skygen
