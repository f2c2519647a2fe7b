#include "tools/skygen/sky_folder.h"

#include <filesystem>
#include <system_error>

#include "tools/skygen/background_painter.h"
#include "tools/skygen/cloud_painter.h"
#include "tools/skygen/picture_files.h"
#include "tools/skygen/random_source.h"
#include "tools/skygen/sun_painter.h"

namespace aerolume::skygen {
namespace {

// One independent seed per preset and picture, so that the same seed gives different skies
// for different presets and a change to one painter leaves the others' pictures alone.
std::uint32_t PictureSeed(std::uint32_t seed, std::string_view preset, std::uint32_t picture) {
  std::uint32_t h = 2166136261u;  // FNV-1a of the preset name
  for (const char c : preset) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return (seed * 0x9e3779b1u) ^ h ^ (picture * 0x85ebca6bu);
}

std::string WriteOrComplain(const std::filesystem::path& path, const Bytes& bytes) {
  if (bytes.empty()) return "could not encode " + path.string();
  if (!WriteBytes(path.string(), bytes)) return "could not write " + path.string();
  return {};
}

}  // namespace

std::string SceneDescriptionText() {
  return std::string("<?xml version=\"1.0\" ?>\n<Sky>\n") +
         "    <Back file=\"" + kBackgroundFileName + "\" />\n" +
         "    <Sun file=\"" + kSunFileName + "\" />\n" +
         "    <Clouds>\n" +
         "        <Cloud file=\"" + kCloudFileName + "\" alpha=\"" + kCloudOpacityFileName +
         "\" />\n" +
         "    </Clouds>\n" +
         "</Sky>\n";
}

std::string WriteSkyFolder(const SkyPreset& preset, std::uint32_t seed, const std::string& folder) {
  const std::filesystem::path dir(folder);
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error || !std::filesystem::is_directory(dir))
    return "could not create folder " + folder;

  RandomSource backgroundRandom(PictureSeed(seed, preset.name, 1));
  const ColourPicture background =
      PaintBackground(preset.background, kBackgroundWidth, kBackgroundHeight, backgroundRandom);
  if (auto problem = WriteOrComplain(dir / kBackgroundFileName, EncodeColourJpeg(background));
      !problem.empty())
    return problem;

  if (auto problem = WriteOrComplain(dir / kSunFileName, EncodeRunLengthTga(PaintSun(preset.sun, kSunSize)));
      !problem.empty())
    return problem;

  RandomSource cloudRandom(PictureSeed(seed, preset.name, 2));
  const CloudPictures cloud = PaintCloud(preset.cloud, kCloudSize, cloudRandom);
  if (auto problem = WriteOrComplain(dir / kCloudFileName, EncodeColourJpeg(cloud.colour));
      !problem.empty())
    return problem;
  if (auto problem = WriteOrComplain(dir / kCloudOpacityFileName, EncodeGreyJpeg(cloud.opacity));
      !problem.empty())
    return problem;

  const std::string scene = SceneDescriptionText();
  return WriteOrComplain(dir / kSceneFileName, Bytes(scene.begin(), scene.end()));
}

}  // namespace aerolume::skygen
