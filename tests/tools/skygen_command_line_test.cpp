// The generator's command line: what it accepts, what it refuses, and how the program exits.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/tools/skygen_test_support.h"
#include "tools/skygen/command_line.h"

namespace aerolume::skygen {
namespace {

struct RefusedCase {
  const char* what;
  std::vector<std::string> arguments;
  const char* errorMentions;
};

class RefusedCommandLineTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedCommandLineTest, IsRefusedWithAReason) {
  const ParsedCommandLine parsed = ParseCommandLine(GetParam().arguments);
  EXPECT_NE(parsed.error.find(GetParam().errorMentions), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedCommandLineTest,
    ::testing::Values(
        RefusedCase{"nothing", {}, "--out"},
        RefusedCase{"no preset", {"--out", "x"}, "--preset"},
        RefusedCase{"no folder", {"--preset", "dawn"}, "--out"},
        RefusedCase{"unknown option", {"--out", "x", "--preset", "dawn", "--fast"}, "--fast"},
        RefusedCase{"unknown preset", {"--out", "x", "--preset", "noon"}, "noon"},
        RefusedCase{"value missing at the end", {"--preset", "dawn", "--out"}, "--out needs"},
        RefusedCase{"empty value", {"--out", "", "--preset", "dawn"}, "--out needs"},
        RefusedCase{"negative seed", {"--out", "x", "--preset", "dawn", "--seed", "-1"}, "-1"},
        RefusedCase{"seed too large", {"--out", "x", "--preset", "dawn", "--seed", "4294967296"}, "4294967296"},
        RefusedCase{"seed with junk", {"--out", "x", "--preset", "dawn", "--seed", "12x"}, "12x"},
        RefusedCase{"seed not a number", {"--out", "x", "--preset", "dawn", "--seed", "abc"}, "abc"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(CommandLineTest, ReadsFolderPresetAndSeedInAnyOrder) {
  const ParsedCommandLine parsed =
      ParseCommandLine({"--seed", "4294967295", "--preset", "dusk", "--out", "sky dir"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.request.action, Request::Action::kGenerate);
  EXPECT_EQ(parsed.request.outFolder, "sky dir");
  EXPECT_EQ(parsed.request.preset, "dusk");
  EXPECT_EQ(parsed.request.seed, 4294967295u);
  EXPECT_EQ(ParseCommandLine({"--out", "x", "--preset", "dusk"}).request.seed, 1u);
}

TEST(CommandLineTest, HelpAndListNeedNothingElse) {
  EXPECT_EQ(ParseCommandLine({"--help"}).request.action, Request::Action::kHelp);
  EXPECT_EQ(ParseCommandLine({"--list-presets"}).request.action, Request::Action::kListPresets);
  EXPECT_EQ(ParseCommandLine({"--list-presets", "--help"}).request.action, Request::Action::kHelp);
}

// Runs the installed-to-be program with a shell command line; its exit status.
int RunSkygen(const std::string& arguments) {
  const std::string command = std::string(AEROLUME_SKYGEN_PROGRAM) + " " + arguments + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SkygenProgramTest, ExitStatusTellsSuccessFromRefusalAndFailure) {
  testing::TempFolder folder;
  EXPECT_EQ(RunSkygen("--help"), 0);
  EXPECT_EQ(RunSkygen("--list-presets"), 0);
  EXPECT_EQ(RunSkygen("--preset nowhere --out " + folder.Path("a")), 2);
  EXPECT_EQ(RunSkygen("--bogus"), 2);
  std::ofstream(folder.Path("file")) << "x";
  EXPECT_EQ(RunSkygen("--preset dawn --out " + folder.Path("file/sky")), 1);
  EXPECT_EQ(RunSkygen("--preset dawn --seed 5 --out " + folder.Path("sky")), 0);
  EXPECT_TRUE(std::filesystem::is_regular_file(folder.Path("sky/scene.xml")));
}

}  // namespace
}  // namespace aerolume::skygen
