// The outer face of the sky renderer: pixel format, one-time GL set-up, viewport and the frame
// routine. One instance per process, owned by the host; everything runs on the UI thread with the
// GL context current. The renderer handles no window events: it only draws and presents.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "render/gl_setup.h"

namespace aerolume::platform {
class MessageBoxes;
}
namespace aerolume::settings {
struct SaverOptions;
class ScenarioList;
}  // namespace aerolume::settings

namespace aerolume::render {

class SkyScene;

class Renderer {
 public:
  // dataFolder ends with "/"; options and boxes outlive the renderer.
  Renderer(const std::string& dataFolder, settings::SaverOptions& options,
           platform::MessageBoxes& boxes);
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Stores the window's device context and applies the pixel format chosen for it (boxes on
  // failure); remembers whether an accelerated accumulation buffer came with it.
  void SetupPixelFormat(const DeviceContext& dc, const std::optional<PixelFormatChoice>& choice);
  // Stores the device context frames are presented to, without touching its format.
  void SetDeviceContext(const DeviceContext& dc) { dc_ = dc; }

  // One-time set-up with the context current: random seed, sky list, first scene, fixed GL
  // state, GLEW and the ripple program. The sky list is created on the first call only, so that
  // whoever holds it keeps a valid list.
  void InitRenderer();
  // Viewport and projection for a client size; with KeepAspect_1_6 the picture keeps 1.6 : 1 and
  // is centred vertically. A client without area gets an empty viewport and no projection.
  void ResizeViewport(std::int32_t width, std::int32_t height);
  // Draws, animates and presents one frame; changes the sky at the end of a fade-out.
  void RenderFrame();
  // Releases the current scene; the sky list stays.
  void ShutdownRenderer();
  // Shows the sky at skyPath from now on (the configuration page's choice); skyFrame runs on.
  void ReplaceScene(const std::string& skyPath);

  // Called at the end of every frame, just before it is presented: the back buffer then holds
  // the finished picture. Tools read pixels here; a host without a GLX window can present here.
  void SetPresentHook(std::function<void()> hook) { presentHook_ = std::move(hook); }

  std::int32_t SkyFrame() const { return skyFrame_; }
  bool AccumAvailable() const { return accumAvailable_; }
  unsigned int RippleProgram() const { return rippleProgram_; }
  const DeviceContext& Device() const { return dc_; }
  settings::ScenarioList* Scenarios() { return scenarios_.get(); }  // null before InitRenderer
  SkyScene* CurrentScene() { return scene_.get(); }                  // null when none
  const SkyScene* CurrentScene() const { return scene_.get(); }

 private:
  // Releases the current scene, then builds the sky at path (none: no scene) and makes it current
  // unless someone replaced or released the scene while it was being built.
  void InstallScene(const std::optional<std::string>& path);
  bool SkyChangesOn();
  void Present();

  std::string dataFolder_;
  settings::SaverOptions& options_;
  platform::MessageBoxes& boxes_;

  std::unique_ptr<SkyScene> scene_;
  std::unique_ptr<settings::ScenarioList> scenarios_;
  DeviceContext dc_;
  std::int32_t skyFrame_ = 0;
  bool accumAvailable_ = true;
  unsigned int rippleProgram_ = 0;

  bool viewportEmpty_ = false;       // the client has no area: nothing reaches the screen
  int framesInProgress_ = 0;         // above 1 while a frame runs inside another one
  std::uint64_t sceneGeneration_ = 0;  // counts every release of the current scene
  std::function<void()> presentHook_;
};

}  // namespace aerolume::render
