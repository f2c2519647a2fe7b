// Writes one complete sky folder: pictures and the scene description naming them.
#pragma once

#include <cstdint>
#include <string>

#include "tools/skygen/sky_preset.h"

namespace aerolume::skygen {

// Picture sizes in pixels.
constexpr int kBackgroundWidth = 2048;
constexpr int kBackgroundHeight = 1024;
constexpr int kSunSize = 256;
constexpr int kCloudSize = 1024;

// File names inside a sky folder.
constexpr const char* kSceneFileName = "scene.xml";
constexpr const char* kBackgroundFileName = "background.jpg";
constexpr const char* kSunFileName = "sun.tga";
constexpr const char* kCloudFileName = "cloud.jpg";
constexpr const char* kCloudOpacityFileName = "cloud-opacity.jpg";

// The text of "scene.xml" for a sky made of the files above.
std::string SceneDescriptionText();

// Paints the preset with the seed and writes every file into folder, creating it if needed.
// Returns an empty string on success, otherwise what went wrong.
std::string WriteSkyFolder(const SkyPreset& preset, std::uint32_t seed, const std::string& folder);

}  // namespace aerolume::skygen
