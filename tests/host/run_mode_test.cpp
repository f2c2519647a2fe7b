// The command line decides what a start does; the switches match anywhere, lowered first.
#include "host/run_mode.h"

#include <gtest/gtest.h>

#include <vector>

using aerolume::host::LoweredCommandLine;
using aerolume::host::PreviewParentFrom;
using aerolume::host::RunMode;
using aerolume::host::SelectRunMode;

namespace {

struct ModeCase {
  std::vector<const char*> args;  // after the program name
  RunMode mode;
  aerolume::platform::WindowHandle parent;  // for the preview modes
};

class CommandLineTable : public ::testing::TestWithParam<ModeCase> {};

TEST_P(CommandLineTable, SelectsModeAndPreviewParent) {
  const ModeCase& c = GetParam();
  std::vector<const char*> argv{"aerolume"};
  argv.insert(argv.end(), c.args.begin(), c.args.end());
  const std::string lowered = LoweredCommandLine(static_cast<int>(argv.size()), argv.data());
  EXPECT_EQ(SelectRunMode(lowered), c.mode) << lowered;
  if (c.mode == RunMode::ModePreview) {
    EXPECT_EQ(PreviewParentFrom(lowered), c.parent) << lowered;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Switches, CommandLineTable,
    ::testing::Values(ModeCase{{}, RunMode::ModeConfigure, 0},
                      ModeCase{{"/S"}, RunMode::ModeFullScreen, 0},
                      ModeCase{{"-s"}, RunMode::ModeFullScreen, 0},
                      ModeCase{{"/c:1234"}, RunMode::ModeConfigure, 0},
                      ModeCase{{"-c", "77"}, RunMode::ModeConfigure, 0},
                      ModeCase{{"/s", "/p", "5"}, RunMode::ModePreview, 5},
                      ModeCase{{"/a", "-s"}, RunMode::ModeChangePassword, 0},
                      ModeCase{{"-A"}, RunMode::ModeChangePassword, 0},
                      ModeCase{{"/testpreview", "/s"}, RunMode::ModeTestPreview, 0},
                      ModeCase{{"/TestPreview"}, RunMode::ModeTestPreview, 0},
                      ModeCase{{"-p", "1234"}, RunMode::ModePreview, 1234},
                      ModeCase{{"/p", "1234"}, RunMode::ModePreview, 1234},
                      ModeCase{{"/p:1234"}, RunMode::ModePreview, 1234},
                      ModeCase{{"/p1234"}, RunMode::ModePreview, 234},
                      ModeCase{{"/p"}, RunMode::ModePreview, 0},
                      ModeCase{{"/p", "  42x"}, RunMode::ModePreview, 42},
                      ModeCase{{"/p", "window"}, RunMode::ModePreview, 0},
                      ModeCase{{"-p", "1", "/p", "2"}, RunMode::ModePreview, 2},
                      ModeCase{{"/x", "-silent"}, RunMode::ModeFullScreen, 0},
                      ModeCase{{"--help"}, RunMode::ModeConfigure, 0}));

TEST(LoweredCommandLine, JoinsTheArgumentsWithBlanksInLowerCase) {
  const char* argv[] = {"/usr/bin/aerolume", "/P", "0x1F", "Two Words"};
  EXPECT_EQ(LoweredCommandLine(4, argv), "/p 0x1f two words");
  const char* bare[] = {"aerolume"};
  EXPECT_EQ(LoweredCommandLine(1, bare), "");
}

}  // namespace
