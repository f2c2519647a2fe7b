#include "tools/skygen/sky_preset.h"

#include <array>

namespace aerolume::skygen {
namespace {

constexpr std::array<SkyPreset, 5> kPresets = {{
    {"clear-midday",
     "deep blue sky, white fair-weather cumulus, high sun",
     {.zenith = {0.13f, 0.33f, 0.70f}, .upper = {0.33f, 0.56f, 0.86f},
      .horizon = {0.73f, 0.84f, 0.94f}, .upperAt = 0.38f, .below = {0.66f, 0.76f, 0.88f},
      .glow = {1.0f, 0.97f, 0.88f}, .glowStrength = 0.38f, .glowWidth = 55.0f,
      .horizonGlow = 0.0f, .deckLit = {0.96f, 0.97f, 1.0f}, .deckShade = {0.62f, 0.71f, 0.84f},
      .deckStrength = 0.85f, .bandColour = {0.93f, 0.95f, 0.98f}, .bandStrength = 0.35f,
      .cirrusColour = {0.92f, 0.95f, 1.0f}, .cirrusStrength = 0.18f},
     {.disc = {1.0f, 1.0f, 0.98f}, .glow = {1.0f, 0.97f, 0.86f}, .discRadius = 0.16f,
      .discEdge = 0.02f, .discOpacity = 1.0f, .glowStrength = 0.85f, .glowWidth = 0.16f},
     {.lit = {1.0f, 1.0f, 1.0f}, .shade = {0.56f, 0.62f, 0.72f}, .rim = {1.0f, 1.0f, 0.96f},
      .rimStrength = 0.25f, .lobes = 7, .spread = 0.15f, .thickness = 4.0f,
      .shadowDepth = 0.75f, .baseDarkening = 0.4f, .lightTilt = 0.15f, .maxOpacity = 1.0f, .width = 0.5f}},
    {"golden-evening",
     "warm low light, gold-rimmed clouds over a hazy sea of cloud",
     {.zenith = {0.14f, 0.25f, 0.50f}, .upper = {0.48f, 0.55f, 0.70f},
      .horizon = {1.0f, 0.74f, 0.45f}, .upperAt = 0.42f, .below = {0.78f, 0.58f, 0.48f},
      .glow = {1.0f, 0.74f, 0.38f}, .glowStrength = 0.5f, .glowWidth = 60.0f,
      .horizonGlow = 0.45f, .deckLit = {1.0f, 0.80f, 0.58f}, .deckShade = {0.50f, 0.40f, 0.46f},
      .deckStrength = 0.8f, .bandColour = {0.98f, 0.70f, 0.50f}, .bandStrength = 0.4f,
      .cirrusColour = {1.0f, 0.80f, 0.62f}, .cirrusStrength = 0.22f},
     {.disc = {1.0f, 0.98f, 0.9f}, .glow = {1.0f, 0.72f, 0.32f}, .discRadius = 0.17f,
      .discEdge = 0.02f, .discOpacity = 1.0f, .glowStrength = 1.0f, .glowWidth = 0.2f},
     {.lit = {1.0f, 0.9f, 0.72f}, .shade = {0.56f, 0.42f, 0.50f}, .rim = {1.0f, 0.82f, 0.50f},
      .rimStrength = 0.5f, .lobes = 7, .spread = 0.25f, .thickness = 4.0f,
      .shadowDepth = 0.85f, .baseDarkening = 0.45f, .lightTilt = -0.2f, .maxOpacity = 1.0f, .width = 0.5f}},
    {"dusk",
     "violet sky after sunset, rose-lit clouds, a last orange glow",
     {.zenith = {0.05f, 0.08f, 0.22f}, .upper = {0.28f, 0.22f, 0.42f},
      .horizon = {0.95f, 0.48f, 0.30f}, .upperAt = 0.45f, .below = {0.42f, 0.26f, 0.32f},
      .glow = {1.0f, 0.48f, 0.24f}, .glowStrength = 0.55f, .glowWidth = 55.0f,
      .horizonGlow = 0.6f, .deckLit = {0.86f, 0.50f, 0.44f}, .deckShade = {0.26f, 0.18f, 0.30f},
      .deckStrength = 0.75f, .bandColour = {0.80f, 0.38f, 0.36f}, .bandStrength = 0.45f,
      .cirrusColour = {0.95f, 0.55f, 0.50f}, .cirrusStrength = 0.25f},
     {.disc = {1.0f, 0.86f, 0.66f}, .glow = {1.0f, 0.45f, 0.2f}, .discRadius = 0.17f,
      .discEdge = 0.04f, .discOpacity = 0.95f, .glowStrength = 0.9f, .glowWidth = 0.18f},
     {.lit = {1.0f, 0.68f, 0.58f}, .shade = {0.27f, 0.23f, 0.38f}, .rim = {1.0f, 0.62f, 0.40f},
      .rimStrength = 0.55f, .lobes = 6, .spread = 0.35f, .thickness = 3.5f,
      .shadowDepth = 0.85f, .baseDarkening = 0.35f, .lightTilt = 0.2f, .maxOpacity = 1.0f, .width = 0.5f}},
    {"bright-overcast",
     "pale high overcast, soft grey-white cloud banks, the sun a bright blur",
     {.zenith = {0.58f, 0.64f, 0.72f}, .upper = {0.72f, 0.76f, 0.82f},
      .horizon = {0.87f, 0.89f, 0.91f}, .upperAt = 0.4f, .below = {0.76f, 0.79f, 0.83f},
      .glow = {1.0f, 1.0f, 0.96f}, .glowStrength = 0.4f, .glowWidth = 85.0f,
      .horizonGlow = 0.0f, .deckLit = {0.92f, 0.93f, 0.95f}, .deckShade = {0.66f, 0.69f, 0.74f},
      .deckStrength = 0.4f, .bandColour = {0.80f, 0.82f, 0.86f}, .bandStrength = 0.5f,
      .cirrusColour = {0.95f, 0.96f, 0.97f}, .cirrusStrength = 0.35f},
     {.disc = {1.0f, 1.0f, 0.96f}, .glow = {1.0f, 0.99f, 0.94f}, .discRadius = 0.16f,
      .discEdge = 0.09f, .discOpacity = 0.7f, .glowStrength = 0.55f, .glowWidth = 0.3f},
     {.lit = {0.97f, 0.97f, 0.98f}, .shade = {0.58f, 0.61f, 0.67f}, .rim = {1.0f, 1.0f, 1.0f},
      .rimStrength = 0.15f, .lobes = 14, .spread = 0.6f, .thickness = 5.0f,
      .shadowDepth = 0.55f, .baseDarkening = 0.3f, .lightTilt = 0.0f, .maxOpacity = 0.95f, .width = 0.6f}},
    {"dawn",
     "cool blue above, peach and rose at the horizon, pink-tinted morning clouds",
     {.zenith = {0.20f, 0.32f, 0.58f}, .upper = {0.58f, 0.60f, 0.76f},
      .horizon = {1.0f, 0.80f, 0.66f}, .upperAt = 0.42f, .below = {0.80f, 0.66f, 0.66f},
      .glow = {1.0f, 0.86f, 0.66f}, .glowStrength = 0.4f, .glowWidth = 55.0f,
      .horizonGlow = 0.35f, .deckLit = {1.0f, 0.86f, 0.80f}, .deckShade = {0.55f, 0.50f, 0.62f},
      .deckStrength = 0.8f, .bandColour = {0.95f, 0.74f, 0.72f}, .bandStrength = 0.4f,
      .cirrusColour = {1.0f, 0.84f, 0.80f}, .cirrusStrength = 0.25f},
     {.disc = {1.0f, 0.99f, 0.94f}, .glow = {1.0f, 0.82f, 0.60f}, .discRadius = 0.16f,
      .discEdge = 0.02f, .discOpacity = 1.0f, .glowStrength = 0.9f, .glowWidth = 0.19f},
     {.lit = {1.0f, 0.84f, 0.80f}, .shade = {0.50f, 0.48f, 0.62f}, .rim = {1.0f, 0.90f, 0.76f},
      .rimStrength = 0.45f, .lobes = 6, .spread = 0.3f, .thickness = 3.5f,
      .shadowDepth = 0.85f, .baseDarkening = 0.4f, .lightTilt = -0.15f, .maxOpacity = 1.0f, .width = 0.5f}},
}};

}  // namespace

std::span<const SkyPreset> AllPresets() { return kPresets; }

const SkyPreset* FindPreset(std::string_view name) {
  for (const SkyPreset& preset : kPresets)
    if (preset.name == name) return &preset;
  return nullptr;
}

}  // namespace aerolume::skygen
