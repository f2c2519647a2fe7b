#include "render/sky_scene.h"

#include <GL/gl.h>

#include <cstdlib>

#include "render/cloud_speed.h"
#include "render/depth_order.h"
#include "render/fade_schedule.h"
#include "render/scene_description.h"
#include "settings/saver_options.h"

namespace aerolume::render {
namespace {

// Steps run at construction so that the first frame shows clouds spread over their depth range.
constexpr int kWarmUpSteps = 1500;

}  // namespace

// Reads the description, loads the pictures, places the quads with four random draws per cloud,
// applies the speed options and warms the animation up.
SkyScene::SkyScene(const std::string& skyPath, const SceneContext& context)
    : options_(context.options) {
  const std::string folder = context.dataFolder + skyPath + "/";
  const auto description = ReadSceneDescription(folder + "scene.xml", context.boxes);
  if (!description) return;  // the message, if any, has been shown; the scene stays empty

  if (description->back) {
    backTexture_ = std::make_unique<Texture>();
    backTexture_->LoadJpeg(folder + *description->back, context.boxes);
  }
  if (description->sun) {
    sunTexture_ = std::make_unique<Texture>();
    sunTexture_->LoadTga(folder + *description->sun, context.boxes);
  }
  // Each entry replaces the previous one's texture; an entry lacking either picture leaves the
  // clouds without one, so they show white.
  for (const CloudEntry& entry : description->clouds) {
    cloudTexture_ = std::make_unique<Texture>();
    if (entry.file && entry.alpha) {
      cloudTexture_->LoadJpegWithAlpha(folder + *entry.file, folder + *entry.alpha,
                                       context.boxes);
    }
  }

  backQuad_ = std::make_unique<SpriteQuad>();
  backQuad_->Set(backTexture_.get(), 0, 0, -100, 1000, 500);
  if (sunTexture_) {
    sunQuad_ = std::make_unique<SpriteQuad>();
    sunQuad_->Set(sunTexture_.get(), 0, 50, -99, 60, 60);
  }

  for (int i = 0; i < kCloudCount; ++i) {
    const int r1 = std::rand();
    const int r2 = std::rand();
    const int r3 = std::rand();
    const int r4 = std::rand();
    ownedClouds_[i] = std::make_unique<SpriteQuad>();
    SpriteQuad* cloud = ownedClouds_[i].get();
    cloud->Set(cloudTexture_.get(), 0, 0, 0, static_cast<float>(100 + r2 % 50),
               static_cast<float>(100 + r1 % 50));
    clouds_[i] = cloud;
    motions_[i] = std::make_unique<CloudMotion>();
    motions_[i]->Set(cloud, static_cast<float>(40 - r4 % 80), static_cast<float>(40 - r3 % 80),
                     static_cast<float>(5 * i), 0, 0, 0.25f);
  }
  // Depth first: the sideways speed is derived from it.
  SetZSpeed(options_.zSpeed);
  SetXSpeed(options_.xSpeed);

  fadeQuad_ = std::make_unique<SpriteQuad>();
  fadeQuad_->Set(nullptr, 0, 0, -9, 600, 600);
  fadeQuad_->r = fadeQuad_->g = fadeQuad_->b = 0;

  for (int step = 0; step < kWarmUpSteps; ++step) Update();
}

// Releases quads, then textures (deleting their GL textures), then clouds and motions.
SkyScene::~SkyScene() {
  backQuad_.reset();
  sunQuad_.reset();
  fadeQuad_.reset();
  cloudTexture_.reset();
  backTexture_.reset();
  sunTexture_.reset();
  for (int i = 0; i < kCloudCount; ++i) {
    clouds_[i] = nullptr;
    ownedClouds_[i].reset();
    motions_[i].reset();
  }
}

// One frame of animation: every motion in creation order, then the new drawing order.
void SkyScene::Update() {
  if (!HasQuads()) return;
  for (const auto& motion : motions_) motion->Step();
  SortByDepth();
}

// Back to front for blending; only the drawing order changes, the motions keep theirs.
void SkyScene::SortByDepth() {
  if (!HasQuads()) return;
  render::SortByDepth(clouds_);
}

// Background opaque, then the sun and the clouds blended back to front.
void SkyScene::Draw() const {
  if (!HasQuads()) return;
  glDisable(GL_BLEND);
  backQuad_->Draw();
  glEnable(GL_BLEND);
  if (sunQuad_) sunQuad_->Draw();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (const SpriteQuad* cloud : clouds_) cloud->Draw();
}

// Draws the fade-in and/or fade-out quad of this frame over everything drawn so far.
bool SkyScene::StepFade(std::int32_t frame) {
  const FadeStep step = FadeAtFrame(frame, options_.changeFrequency);
  if (fadeQuad_) {
    for (const auto& opacity : {step.fadeIn, step.fadeOut}) {
      if (!opacity) continue;
      fadeQuad_->r = fadeQuad_->g = fadeQuad_->b = 0;
      fadeQuad_->a = static_cast<float>(*opacity);
      fadeQuad_->Draw();
    }
  }
  return step.ended;
}

// Every cloud shares one depth velocity ...
void SkyScene::SetCloudVz(float v) {
  for (const auto& motion : motions_) {
    if (motion) motion->vz = v;
  }
}

// ... and one sideways velocity.
void SkyScene::SetCloudVx(float v) {
  for (const auto& motion : motions_) {
    if (motion) motion->vx = v;
  }
}

// Depth speed from the "Clouds speed" slider; follow it with SetXSpeed.
void SkyScene::SetZSpeed(std::int32_t sliderValue) { SetCloudVz(DepthVelocity(sliderValue)); }

// Needs the depth speed already set: the drift follows motion 0's vz.
void SkyScene::SetXSpeed(std::int32_t sliderValue) {
  if (!motions_[0]) return;
  SetCloudVx(SidewaysVelocity(sliderValue, motions_[0]->vz));
}

}  // namespace aerolume::render
