// GLEW's header must come before any other GL header.
#include <GL/glew.h>

#include "render/renderer.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "platform/message_boxes.h"
#include "render/ripple_program.h"
#include "render/sky_scene.h"
#include "settings/saver_options.h"
#include "settings/scenario_list.h"

// Last: Xlib's macros (None, Status) clash with names in the headers above.
#include <GL/glu.h>
#include <GL/glx.h>

namespace aerolume::render {

namespace {

constexpr double kFieldOfView = 100.0;
constexpr double kNear = 0.0;  // maps every depth in front of the eye to the far plane
constexpr double kFar = 100.0;
constexpr double kKeptAspect = 1.6;

// Counts a frame in progress for as long as it runs, even when a message box loop nests another.
class FrameScope {
 public:
  explicit FrameScope(int& counter) : counter_(counter) { ++counter_; }
  ~FrameScope() { --counter_; }
  FrameScope(const FrameScope&) = delete;
  FrameScope& operator=(const FrameScope&) = delete;

 private:
  int& counter_;
};

}  // namespace

Renderer::Renderer(const std::string& dataFolder, settings::SaverOptions& options,
                   platform::MessageBoxes& boxes)
    : dataFolder_(dataFolder), options_(options), boxes_(boxes) {}

Renderer::~Renderer() = default;

void Renderer::SetupPixelFormat(const DeviceContext& dc,
                                const std::optional<PixelFormatChoice>& choice) {
  dc_ = dc;
  accumAvailable_ = render::SetupPixelFormat(dc, choice, boxes_);
}

void Renderer::InitRenderer() {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  if (!scenarios_) {
    scenarios_ = std::make_unique<settings::ScenarioList>();
    scenarios_->Load(dataFolder_, "defaultScenario.xml", boxes_);
  }
  InstallScene(scenarios_->PickRandomSkyPath());

  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glShadeModel(GL_FLAT);
  glEnable(GL_COLOR_MATERIAL);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  glewInit();
  if (glewIsSupported("GL_VERSION_2_0")) {
    std::fputs("Ready for OpenGL 2.0\n", stdout);
    std::fflush(stdout);
    rippleProgram_ = PrepareRippleProgram(dataFolder_);
  } else {
    std::fputs("OpenGL 2.0 not supported\n", stdout);
    std::fflush(stdout);
  }
}

void Renderer::ResizeViewport(std::int32_t width, std::int32_t height) {
  std::int64_t viewportHeight = height;
  if (options_.KeepAspect_1_6 != 0) viewportHeight = static_cast<std::int64_t>(width / kKeptAspect);
  const std::int64_t y = (static_cast<std::int64_t>(height) - viewportHeight) / 2;

  // A client without area (a minimised or collapsed window) gets no projection: its aspect
  // would divide by zero, and there is nothing to draw into anyway.
  viewportEmpty_ = width <= 0 || viewportHeight <= 0;
  if (viewportEmpty_) {
    glViewport(0, 0, 0, 0);
  } else {
    glViewport(0, static_cast<GLint>(y), width, static_cast<GLsizei>(viewportHeight));
  }

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  if (!viewportEmpty_) {
    gluPerspective(kFieldOfView, static_cast<double>(width) / static_cast<double>(viewportHeight),
                   kNear, kFar);
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  if (options_.DoNotUseAccumBuffer == 0 && accumAvailable_) {
    glClearAccum(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_ACCUM_BUFFER_BIT);
  }
}

void Renderer::RenderFrame() {
  FrameScope scope(framesInProgress_);
  // A frame that runs inside another (through the loop of a message box shown while a sky is
  // built) only clears and presents: the outer frame owns the scene until it is done with it.
  const bool nested = framesInProgress_ > 1;

  glPushMatrix();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gluLookAt(0.0, 0.0, 100.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  glDisable(GL_BLEND);

  if (SkyScene* scene = nested ? nullptr : scene_.get()) {
    scene->Update();
    scene->Draw();
    if (SkyChangesOn() && scene->StepFade(skyFrame_)) {
      InstallScene(scenarios_->PickRandomSkyPath());
      skyFrame_ = 0;
    }
  }
  // Saturates instead of overflowing when sky changes stay off for months on end.
  if (skyFrame_ < std::numeric_limits<std::int32_t>::max()) ++skyFrame_;

  glPopMatrix();
  glFlush();
  Present();
}

void Renderer::ShutdownRenderer() {
  ++sceneGeneration_;
  scene_.reset();
}

void Renderer::ReplaceScene(const std::string& skyPath) { InstallScene(skyPath); }

void Renderer::InstallScene(const std::optional<std::string>& path) {
  // The old scene goes before the new one is built: building can show a message box whose loop
  // runs frames, and those must not draw a scene that is on its way out.
  const std::uint64_t generation = ++sceneGeneration_;
  scene_.reset();
  if (!path) return;
  auto built = std::make_unique<SkyScene>(*path, SceneContext{dataFolder_, options_, boxes_});
  // A replacement or shutdown during the build wins over this older request.
  if (generation == sceneGeneration_) scene_ = std::move(built);
}

bool Renderer::SkyChangesOn() {
  return scenarios_ && scenarios_->CountEnabledSkies() > 1 && options_.changeSkyDuring != 0;
}

void Renderer::Present() {
  if (presentHook_) presentHook_();
  if (dc_.display != nullptr && dc_.drawable != 0) glXSwapBuffers(dc_.display, dc_.drawable);
}

}  // namespace aerolume::render
