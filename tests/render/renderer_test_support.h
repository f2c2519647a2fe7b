// What the renderer tests share: a real X window with the chosen pixel format and a current GL
// context, a data folder of small fixture skies, and reading pixels back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/fakes/recording_message_boxes.h"
#include "render/gl_setup.h"
#include "render/renderer.h"
#include "settings/saver_options.h"
#include "tests/render/renderer_test_files.h"

namespace aerolume::render::testing {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// True when every channel of a is within tolerance of b.
bool Near(const Rgb& a, const Rgb& b, int tolerance = 4);
std::string Describe(const Rgb& c);

// A mapped X window of the given size on $DISPLAY, created with the visual of the pixel-format
// chain, with a compatibility context current. Ok() is false when any of that failed.
class GlTestWindow {
 public:
  GlTestWindow(int width, int height);
  ~GlTestWindow();
  GlTestWindow(const GlTestWindow&) = delete;
  GlTestWindow& operator=(const GlTestWindow&) = delete;

  bool Ok() const { return context_ != nullptr; }
  DeviceContext Dc() const { return {display_, window_}; }
  const std::optional<PixelFormatChoice>& Choice() const { return choice_; }
  Display* display() const { return display_; }
  // A small second window whose visual is not the chosen one; 0 when the screen has no other.
  unsigned long MakeOtherVisualWindow();

 private:
  Display* display_ = nullptr;
  unsigned long window_ = 0;
  unsigned long colormap_ = 0;
  std::vector<unsigned long> extraWindows_;
  std::vector<unsigned long> extraColormaps_;
  std::optional<PixelFormatChoice> choice_;
  GLXContext context_ = nullptr;
};

// The colour of the back buffer at window pixel (x, y), y counted from the bottom.
Rgb ReadBackPixel(int x, int y);

// A fixture sky: a solid-colour background, clouds that are fully transparent (black opacity
// picture) so that they never hide what a test looks at, and optionally a sun file name that is
// not there.
struct FixtureSky {
  std::string folder;
  Rgb background;
  std::optional<std::string> missingSunFile;
};

// A data folder (path ending with "/") written into a temporary folder.
class FixtureDataFolder {
 public:
  FixtureDataFolder();
  const std::string& Path() const { return path_; }

  void AddSky(const FixtureSky& sky);
  // "defaultScenario.xml" listing (folder, enabled) in order.
  void WriteScenarioList(const std::vector<std::pair<std::string, int>>& entries);
  // Any text as "defaultScenario.xml".
  void WriteScenarioText(const std::string& text);
  void WriteShaders();

 private:
  TempFolder temp_;
  std::string path_;
};

// The window pixel that world point (x, y, z) lands on in a width x height viewport filling the
// window (KeepAspect_1_6 clear).
struct PixelPos {
  int x = 0, y = 0;
};
PixelPos ProjectToWindow(double x, double y, double z, int width, int height);

// A renderer drawing into a 320 x 200 test window, over a fixture data folder. Tests fill the
// data folder and options, then Start().
class RendererGlTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 200;

  RendererGlTest();
  // SetupPixelFormat, InitRenderer and ResizeViewport for the whole window.
  void Start();
  // Runs one frame and returns the pixel at (x, y) of the finished picture.
  Rgb FramePixel(int x, int y);
  Rgb FrameCentre() { return FramePixel(kWidth / 2, kHeight / 2); }

  GlTestWindow window{kWidth, kHeight};
  FixtureDataFolder data;
  settings::SaverOptions options;
  platform::RecordingMessageBoxes boxes;
  std::unique_ptr<Renderer> renderer;
};

}  // namespace aerolume::render::testing
