// aerolume-snapshot end to end: its command line, its errors, and the PNG it writes of a fixture sky.
#include <png.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "tests/render/renderer_test_support.h"

namespace aerolume::render::testing {
namespace {

struct SnapshotRun {
  int status = -1;
  std::string output;  // standard output and error together
};

SnapshotRun Snapshot(const std::string& arguments) {
  const std::string command = std::string(AEROLUME_SNAPSHOT_PROGRAM) + " " + arguments + " 2>&1";
  SnapshotRun run;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

struct Png {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;  // rows top first
  Rgb At(int x, int yFromTop) const {
    const std::size_t i = (static_cast<std::size_t>(yFromTop) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
  }
};

std::optional<Png> ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  Png png;
  png.width = static_cast<int>(image.width);
  png.height = static_cast<int>(image.height);
  png.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, png.rgb.data(), 0, nullptr)) return std::nullopt;
  return png;
}

class SnapshotTest : public ::testing::Test {
 protected:
  SnapshotTest() {
    data.AddSky({"plain", back, std::nullopt});
    data.WriteScenarioList({{"plain", 1}});
  }
  std::string Out() const { return out.File("shot.png"); }

  const Rgb back{40, 120, 200};
  FixtureDataFolder data;
  TempFolder out;
};

TEST_F(SnapshotTest, HelpDescribesEveryOption) {
  const SnapshotRun run = Snapshot("--help");
  EXPECT_EQ(run.status, 0);
  for (const char* option : {"--sky", "--data", "--frames", "--size", "--out"}) {
    EXPECT_NE(run.output.find(option), std::string::npos) << option;
  }
}

struct BadCommand {
  const char* name;
  std::string arguments;  // "DATA" stands for the fixture data folder
  int status;
  const char* says;
};

class SnapshotErrorTest : public SnapshotTest, public ::testing::WithParamInterface<BadCommand> {};

TEST_P(SnapshotErrorTest, ExplainsAndWritesNothing) {
  std::string arguments = GetParam().arguments;
  if (const auto at = arguments.find("DATA"); at != std::string::npos) {
    arguments.replace(at, 4, data.Path());
  }
  const SnapshotRun run = Snapshot(arguments + " --out " + Out());
  EXPECT_EQ(run.status, GetParam().status) << run.output;
  EXPECT_NE(run.output.find(GetParam().says), std::string::npos) << run.output;
  EXPECT_FALSE(std::filesystem::exists(Out()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SnapshotErrorTest,
    ::testing::Values(
        BadCommand{"UnknownOption", "--colour red", 2, "unknown argument '--colour'"},
        BadCommand{"SizeWithoutHeight", "--size 640", 2, "--size wants WIDTHxHEIGHT"},
        BadCommand{"SizeZero", "--size 0x100", 2, "--size wants WIDTHxHEIGHT"},
        BadCommand{"FramesNotANumber", "--frames many", 2, "--frames wants a whole number"},
        BadCommand{"FramesZero", "--frames 0", 2, "--frames wants a whole number"},
        BadCommand{"MissingValue", "--data DATA --sky", 2, "--sky needs a value"},
        BadCommand{"NoDataFolder", "--data /nonexistent/aerolume", 1, "does not exist"},
        BadCommand{"NoSuchSky", "--data DATA --sky cloudy", 1, "no scene.xml in the sky folder"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SnapshotTest, OutIsRequired) {
  const SnapshotRun run = Snapshot("--data " + data.Path());
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("--out FILE is required"), std::string::npos) << run.output;
}

TEST_F(SnapshotTest, WritesThePictureOfTheSky) {
  // The sky by relative path, by absolute path, and picked from the list.
  const std::vector<std::string> ways = {"--sky plain", "--sky " + data.Path() + "plain/", ""};
  for (const std::string& way : ways) {
    std::filesystem::remove(Out());
    const SnapshotRun run = Snapshot("--data " + data.Path() + " " + way +
                             " --frames 3 --size 160x100 --out " + Out());
    ASSERT_EQ(run.status, 0) << way << ": " << run.output;
    EXPECT_NE(run.output.find("sky plain"), std::string::npos) << run.output;
    const auto png = ReadPng(Out());
    ASSERT_TRUE(png.has_value()) << way;
    EXPECT_EQ(png->width, 160);
    EXPECT_EQ(png->height, 100);
    for (const auto& [x, y] : {std::pair{0, 0}, {159, 99}, {80, 70}}) {
      EXPECT_TRUE(Near(png->At(x, y), back)) << way << " at " << x << "," << y << ": "
                                             << Describe(png->At(x, y));
    }
  }
}

TEST_F(SnapshotTest, TopOfThePictureIsTheTopOfTheSky) {
  // A sun (missing file: a white square) above the centre shows in the upper half of the PNG.
  data.AddSky({"sunny", back, std::string("sun.tga")});
  const SnapshotRun run = Snapshot("--data " + data.Path() + " --sky sunny --frames 1 --size 320x200 --out " +
                           Out());
  ASSERT_EQ(run.status, 0) << run.output;
  const auto png = ReadPng(Out());
  ASSERT_TRUE(png.has_value());
  const PixelPos sun = ProjectToWindow(0, 50, -99, 320, 200);  // y counted from the bottom
  EXPECT_TRUE(Near(png->At(sun.x, 199 - sun.y), {255, 255, 255}));
  EXPECT_TRUE(Near(png->At(sun.x, sun.y), back));
}

TEST_F(SnapshotTest, EmptySkyListIsAnError) {
  data.WriteScenarioText("<Aerolume><Scenes /></Aerolume>");
  const SnapshotRun run = Snapshot("--data " + data.Path() + " --out " + Out());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("no sky to render"), std::string::npos) << run.output;
  EXPECT_FALSE(std::filesystem::exists(Out()));
}

}  // namespace
}  // namespace aerolume::render::testing
