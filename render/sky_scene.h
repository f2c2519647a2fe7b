// One sky ready to draw: its textures, the background, sun and fade quads, and twenty clouds with
// the motions that move them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "render/cloud_motion.h"
#include "render/sprite_quad.h"
#include "render/texture.h"

namespace aerolume::platform {
class MessageBoxes;
}
namespace aerolume::settings {
struct SaverOptions;
}

namespace aerolume::render {

inline constexpr int kCloudCount = 20;

// What building and animating a scene reads from the rest of the program.
struct SceneContext {
  const std::string& dataFolder;         // ends with "/"
  const settings::SaverOptions& options;  // xSpeed, zSpeed, changeFrequency
  platform::MessageBoxes& boxes;
};

class SkyScene {
 public:
  // Builds the sky in folder skyPath (relative to the data folder); needs a current GL context.
  // A description that cannot be read gives a scene without quads, which every operation bears.
  SkyScene(const std::string& skyPath, const SceneContext& context);
  ~SkyScene();
  SkyScene(const SkyScene&) = delete;
  SkyScene& operator=(const SkyScene&) = delete;

  void Update();                      // one animation step of every cloud, then SortByDepth
  void SortByDepth();                 // back to front, stable
  void Draw() const;                  // background, sun, clouds; leaves blending on
  // Draws the fade quad(s) of frame (the renderer's skyFrame); true when the fade-out has ended.
  // A scene without quads draws nothing but still reports the end, so that a broken sky passes.
  bool StepFade(std::int32_t frame);

  void SetCloudVz(float v);
  void SetCloudVx(float v);
  void SetZSpeed(std::int32_t sliderValue);
  void SetXSpeed(std::int32_t sliderValue);

  bool HasQuads() const { return backQuad_ != nullptr; }
  // Read access for the tests and the tools.
  const Texture* CloudTexture() const { return cloudTexture_.get(); }
  const Texture* BackTexture() const { return backTexture_.get(); }
  const Texture* SunTexture() const { return sunTexture_.get(); }
  const SpriteQuad* BackQuad() const { return backQuad_.get(); }
  const SpriteQuad* SunQuad() const { return sunQuad_.get(); }
  const SpriteQuad* FadeQuad() const { return fadeQuad_.get(); }
  const std::array<SpriteQuad*, kCloudCount>& Clouds() const { return clouds_; }
  const std::array<std::unique_ptr<CloudMotion>, kCloudCount>& Motions() const { return motions_; }

 private:
  const settings::SaverOptions& options_;
  std::unique_ptr<Texture> cloudTexture_, backTexture_, sunTexture_;
  std::unique_ptr<SpriteQuad> backQuad_, sunQuad_, fadeQuad_;
  std::array<std::unique_ptr<SpriteQuad>, kCloudCount> ownedClouds_;  // in creation order
  std::array<SpriteQuad*, kCloudCount> clouds_{};                     // in drawing order
  std::array<std::unique_ptr<CloudMotion>, kCloudCount> motions_;
};

}  // namespace aerolume::render
