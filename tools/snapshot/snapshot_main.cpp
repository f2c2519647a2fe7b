// aerolume-snapshot: renders a sky with the real renderer and writes the last frame as a PNG.
#include <GL/gl.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "render/renderer.h"
#include "settings/options_file.h"
#include "settings/saver_options.h"
#include "settings/scenario_list.h"
#include "tools/snapshot/gl_window.h"
#include "tools/snapshot/png_file.h"
#include "tools/snapshot/snapshot_args.h"
#include "tools/snapshot/stderr_message_boxes.h"

namespace fs = std::filesystem;
using namespace aerolume;

namespace {

constexpr const char* kProgram = "aerolume-snapshot";

int Fail(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
  return 1;
}

bool HasSkyList(const fs::path& folder) {
  std::error_code ignored;
  return fs::is_regular_file(folder / "defaultScenario.xml", ignored);
}

// The data folder as the renderer wants it (ending with "/"), or empty with error set.
std::string FindDataFolder(const std::optional<std::string>& given, std::string& error) {
  if (given) {
    std::error_code ec;
    if (!fs::is_directory(*given, ec)) {
      error = "the data folder " + *given + " does not exist";
      return {};
    }
    return fs::absolute(*given).lexically_normal().string() + "/";
  }
  for (const char* candidate : {AEROLUME_INSTALLED_DATA_FOLDER, AEROLUME_BUILD_DATA_FOLDER}) {
    if (HasSkyList(candidate)) return fs::path(candidate).lexically_normal().string() + "/";
  }
  error = std::string("no data folder found (looked in ") + AEROLUME_INSTALLED_DATA_FOLDER +
          " and " + AEROLUME_BUILD_DATA_FOLDER + "); pass --data DIR";
  return {};
}

// The sky's folder relative to the data folder, as the renderer joins it; empty with error set.
std::string ResolveSky(const std::string& sky, const std::string& dataFolder, std::string& error) {
  std::string relative = sky;
  if (fs::path(sky).is_absolute()) {
    std::error_code ec;
    const fs::path skyFolder = fs::weakly_canonical(sky, ec);
    const fs::path data = fs::weakly_canonical(dataFolder, ec);
    relative = skyFolder.lexically_relative(data).string();
  }
  while (relative.size() > 1 && relative.back() == '/') relative.pop_back();
  std::error_code ec;
  if (relative.empty() || !fs::is_regular_file(dataFolder + relative + "/scene.xml", ec)) {
    error = "no scene.xml in the sky folder " + sky;
    return {};
  }
  return relative;
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = tools::ParseSnapshotArgs(std::vector<std::string>(argv + 1, argv + argc));
  if (parsed.args.help) {
    std::fputs(tools::SnapshotUsage().c_str(), stdout);
    return 0;
  }
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", kProgram, parsed.error.c_str(), kProgram);
    return 2;
  }
  const tools::SnapshotArgs& args = parsed.args;

  std::string error;
  const std::string dataFolder = FindDataFolder(args.data, error);
  if (dataFolder.empty()) return Fail(error);
  std::optional<std::string> sky;
  if (args.sky) {
    sky = ResolveSky(*args.sky, dataFolder, error);
    if (sky->empty()) return Fail(error);
  }

  tools::StderrMessageBoxes boxes(kProgram);
  settings::SaverOptions options;
  if (fs::exists(dataFolder + "options.xml")) {
    settings::LoadOptions(options, dataFolder, "options.xml", boxes);
  }
  if (sky) options.changeSkyDuring = 0;  // stay on the sky asked for

  tools::GlWindow window;
  error = window.Open(args.width, args.height);
  if (!error.empty()) return Fail(error);

  render::Renderer renderer(dataFolder, options, boxes);
  renderer.SetupPixelFormat(window.Dc(), window.Choice());
  renderer.InitRenderer();
  if (sky) renderer.ReplaceScene(*sky);
  renderer.ResizeViewport(args.width, args.height);
  if (renderer.CurrentScene() == nullptr) {
    return Fail("no sky to render: " + dataFolder + "defaultScenario.xml names none");
  }

  std::vector<unsigned char> bottomFirst(static_cast<std::size_t>(args.width) * args.height * 3);
  for (int frame = 1; frame <= args.frames; ++frame) {
    if (frame == args.frames) {
      renderer.SetPresentHook([&] {
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, args.width, args.height, GL_RGB, GL_UNSIGNED_BYTE, bottomFirst.data());
      });
    }
    renderer.RenderFrame();
  }

  const std::size_t rowBytes = static_cast<std::size_t>(args.width) * 3;
  std::vector<unsigned char> topFirst(bottomFirst.size());
  for (int y = 0; y < args.height; ++y) {
    std::copy_n(&bottomFirst[(args.height - 1 - y) * rowBytes], rowBytes, &topFirst[y * rowBytes]);
  }
  error = tools::WritePng(args.out, args.width, args.height, topFirst);
  if (!error.empty()) return Fail(error);

  std::string shown = sky ? *sky : std::string("?");
  if (!sky) {
    settings::ScenarioList* list = renderer.Scenarios();
    if (list->LastPick() >= 0) shown = list->SkyPath(list->LastPick());
  }
  std::fprintf(stderr, "%s: wrote %s (%dx%d, sky %s, %d frames)\n", kProgram, args.out.c_str(),
               args.width, args.height, shown.c_str(), args.frames);
  return 0;
}
