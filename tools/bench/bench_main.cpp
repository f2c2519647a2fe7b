// aerolume-bench: what the shipped skies cost, each figure next to its floor.
//
//   decode/SKY      libjpeg decoding of the sky's JPEG files, nothing else (floor of build)
//   build/SKY       building the SkyScene: decode, flip, upload, mipmaps, TGA, 1500-step warm-up
//   back_mipmaps/SKY  gluBuild2DMipmaps of the decoded background alone
//   back_mipmaps_pot/SKY  the same for the background already scaled to powers of two
//   back_upload/SKY   glTexImage2D of the decoded background at its own size, no mipmaps
//   update/SKY      one SkyScene::Update (20 cloud steps and the depth sort)
//   frame/SKY       Renderer::RenderFrame at 1280x720; counter cloud_cover: the screen area the
//                   20 cloud quads cover per frame, in whole screens (they are all blended)
//   frame_back/SKY  clear, the background quad alone, swap
//   frame_floor     clear and swap: the floor of every frame
//
// Needs an X display (Xvfb works). The data folder is the build tree's unless --data=DIR is given.
#include <GL/glew.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "render/jpeg_reader.h"
#include "render/renderer.h"
#include "render/scene_description.h"
#include "render/sky_scene.h"
#include "settings/saver_options.h"
#include "settings/scenario_list.h"
#include "tools/bench/bare_decode.h"
#include "tools/bench/bench_summary.h"
#include "tools/snapshot/gl_window.h"
#include "tools/snapshot/stderr_message_boxes.h"

#include <GL/glu.h>
#include <GL/glx.h>

namespace aerolume::tools {
namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

struct BenchSky {
  std::string path;                // relative to the data folder
  std::vector<std::string> jpegs;  // every JPEG that building the scene decodes
  std::string backJpeg;
  std::string label;               // picture sizes
};

// Everything the benchmarks share; lives for the whole run of main.
struct Bench {
  std::string dataFolder;
  settings::SaverOptions options;
  StderrMessageBoxes boxes{"aerolume-bench"};
  GlWindow window;
  std::unique_ptr<render::Renderer> renderer;
  std::vector<BenchSky> skies;
};

// Times upload() into a fresh texture name per iteration, finished on the GPU and freed again.
template <typename Upload>
void TimeTextureUploads(benchmark::State& state, Upload upload) {
  for (auto _ : state) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    upload();
    glFinish();
    glDeleteTextures(1, &name);
  }
}

// The largest power of two not above n (n >= 1).
int PowerOfTwoAtMost(int n) {
  int p = 1;
  while (p * 2 <= n) p *= 2;
  return p;
}

// The screen area the scene's cloud quads cover, in whole screens, for the fixed camera (eye at
// z = 100, vertical field of view 100 degrees) and a kWidth x kHeight viewport.
double CloudCover(const render::SkyScene& scene) {
  const double tanHalf = std::tan(50.0 * M_PI / 180.0);
  const double aspect = static_cast<double>(kWidth) / kHeight;
  double cover = 0;
  for (const render::SpriteQuad* quad : scene.Clouds()) {
    if (quad == nullptr) continue;
    const double distance = 100.0 - quad->z;
    if (distance <= 0) continue;
    const double halfH = distance * tanHalf;
    const double halfW = halfH * aspect;
    auto clip = [](double v) { return std::clamp(v, -1.0, 1.0); };
    const double left = clip((quad->x - quad->width / 2) / halfW);
    const double right = clip((quad->x + quad->width / 2) / halfW);
    const double bottom = clip((quad->y - quad->height / 2) / halfH);
    const double top = clip((quad->y + quad->height / 2) / halfH);
    cover += (right - left) * (top - bottom) / 4.0;
  }
  return cover;
}

std::string SizeText(const std::string& path) {
  std::vector<unsigned char> pixels;
  const JpegSize size = DecodeJpeg(path, pixels);
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}

std::vector<BenchSky> FindSkies(Bench& bench) {
  std::vector<BenchSky> skies;
  settings::ScenarioList* list = bench.renderer->Scenarios();
  for (std::int32_t i = 0; i < list->SkyCount(); ++i) {
    BenchSky sky;
    sky.path = list->SkyPath(i);
    const std::string folder = bench.dataFolder + sky.path + "/";
    const auto description = render::ReadSceneDescription(folder + "scene.xml", bench.boxes);
    if (!description) continue;
    if (description->back) {
      sky.backJpeg = folder + *description->back;
      sky.jpegs.push_back(sky.backJpeg);
      sky.label += "back " + SizeText(sky.backJpeg);
    }
    for (const auto& cloud : description->clouds) {
      if (cloud.file) sky.jpegs.push_back(folder + *cloud.file);
      if (cloud.alpha) sky.jpegs.push_back(folder + *cloud.alpha);
      if (cloud.file) sky.label += ", cloud " + SizeText(folder + *cloud.file);
    }
    skies.push_back(std::move(sky));
  }
  return skies;
}

void Register(Bench& bench) {
  using benchmark::State;
  render::SceneContext context{bench.dataFolder, bench.options, bench.boxes};

  for (const BenchSky& sky : bench.skies) {
    benchmark::RegisterBenchmark(("decode/" + sky.path).c_str(), [&sky](State& state) {
      std::vector<unsigned char> pixels;
      for (auto _ : state) {
        for (const std::string& jpeg : sky.jpegs) benchmark::DoNotOptimize(DecodeJpeg(jpeg, pixels));
      }
      state.SetLabel(sky.label);
    })->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark(("build/" + sky.path).c_str(), [&sky, context](State& state) {
      for (auto _ : state) {
        render::SkyScene scene(sky.path, context);
        glFinish();  // the upload is part of the build, however the driver defers it
      }
    })->Unit(benchmark::kMillisecond)->UseRealTime();

    benchmark::RegisterBenchmark(("back_mipmaps/" + sky.path).c_str(), [&sky, &bench](State& state) {
      const auto image = render::ReadJpeg(sky.backJpeg, bench.boxes);
      if (!image) return state.SkipWithError("background does not decode");
      glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
      TimeTextureUploads(state, [&] {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE,
                          image->pixels.data());
      });
    })->Unit(benchmark::kMillisecond)->UseRealTime();

    benchmark::RegisterBenchmark(("back_mipmaps_pot/" + sky.path).c_str(), [&sky, &bench](State& state) {
      const auto image = render::ReadJpeg(sky.backJpeg, bench.boxes);
      if (!image) return state.SkipWithError("background does not decode");
      const int width = PowerOfTwoAtMost(image->width);
      const int height = PowerOfTwoAtMost(image->height);
      std::vector<unsigned char> scaled(static_cast<std::size_t>(width) * height * 3);
      glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      gluScaleImage(GL_RGB, image->width, image->height, GL_UNSIGNED_BYTE, image->pixels.data(),
                    width, height, GL_UNSIGNED_BYTE, scaled.data());
      TimeTextureUploads(state, [&] {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGB, GL_UNSIGNED_BYTE, scaled.data());
      });
      state.SetLabel(std::to_string(width) + "x" + std::to_string(height));
    })->Unit(benchmark::kMillisecond)->UseRealTime();

    benchmark::RegisterBenchmark(("back_upload/" + sky.path).c_str(), [&sky, &bench](State& state) {
      const auto image = render::ReadJpeg(sky.backJpeg, bench.boxes);
      if (!image) return state.SkipWithError("background does not decode");
      glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
      TimeTextureUploads(state, [&] {
        glTexImage2D(GL_TEXTURE_2D, 0, 4, image->width, image->height, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, image->pixels.data());
      });
    })->Unit(benchmark::kMillisecond)->UseRealTime();

    benchmark::RegisterBenchmark(("update/" + sky.path).c_str(), [&sky, context](State& state) {
      render::SkyScene scene(sky.path, context);
      for (auto _ : state) scene.Update();
    })->Unit(benchmark::kMicrosecond);

    benchmark::RegisterBenchmark(("frame/" + sky.path).c_str(), [&sky, &bench](State& state) {
      bench.renderer->ReplaceScene(sky.path);
      for (auto _ : state) bench.renderer->RenderFrame();
      double cover = 0;
      constexpr int kSampleFrames = 200;
      for (int i = 0; i < kSampleFrames; ++i) {
        bench.renderer->CurrentScene()->Update();
        cover += CloudCover(*bench.renderer->CurrentScene());
      }
      state.counters["cloud_cover"] = cover / kSampleFrames;
    })->Unit(benchmark::kMillisecond)->UseRealTime();

    benchmark::RegisterBenchmark(("frame_back/" + sky.path).c_str(), [&sky, &bench](State& state) {
      bench.renderer->ReplaceScene(sky.path);
      const render::SpriteQuad* back = bench.renderer->CurrentScene()->BackQuad();
      if (back == nullptr) return state.SkipWithError("sky has no background");
      const render::DeviceContext dc = bench.window.Dc();
      for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0.0, 0.0, 100.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        glDisable(GL_BLEND);
        back->Draw();
        glFlush();
        glXSwapBuffers(dc.display, dc.drawable);
      }
    })->Unit(benchmark::kMillisecond)->UseRealTime();
  }

  benchmark::RegisterBenchmark("frame_floor", [&bench](State& state) {
    const render::DeviceContext dc = bench.window.Dc();
    for (auto _ : state) {
      glClearColor(0, 0, 0, 1);
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      glFlush();
      glXSwapBuffers(dc.display, dc.drawable);
    }
  })->Unit(benchmark::kMillisecond)->UseRealTime();
}

// Takes --data=DIR out of the arguments before Google Benchmark sees them.
std::string TakeDataFolder(int& argc, char** argv) {
  std::string folder = AEROLUME_BENCH_DATA_FOLDER;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--data=", 7) == 0) {
      folder = argv[i] + 7;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace
}  // namespace aerolume::tools

int main(int argc, char** argv) {
  using namespace aerolume;
  tools::Bench bench;
  bench.dataFolder = tools::TakeDataFolder(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;

  bench.options.changeSkyDuring = 0;  // frames must not change the sky under the measurement
  const std::string error = bench.window.Open(tools::kWidth, tools::kHeight);
  if (!error.empty()) {
    std::fprintf(stderr, "aerolume-bench: %s\n", error.c_str());
    return 1;
  }
  bench.renderer = std::make_unique<render::Renderer>(bench.dataFolder, bench.options, bench.boxes);
  bench.renderer->SetupPixelFormat(bench.window.Dc(), bench.window.Choice());
  bench.renderer->InitRenderer();
  bench.renderer->ResizeViewport(tools::kWidth, tools::kHeight);
  bench.skies = tools::FindSkies(bench);
  if (bench.skies.empty()) {
    std::fprintf(stderr, "aerolume-bench: no skies in %sdefaultScenario.xml\n",
                 bench.dataFolder.c_str());
    return 1;
  }
  tools::Register(bench);

  tools::SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::vector<std::string> paths;
  for (const auto& sky : bench.skies) paths.push_back(sky.path);
  reporter.PrintSummary(paths, tools::kWidth, tools::kHeight);
  benchmark::Shutdown();
  return 0;
}
