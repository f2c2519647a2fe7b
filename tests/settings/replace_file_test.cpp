#include "settings/replace_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/fakes/recording_message_boxes.h"
#include "settings/options_file.h"
#include "settings/scenario_list.h"
#include "tests/settings/temp_folder.h"
#include "tests/settings/without_root.h"

namespace aerolume::settings {
namespace {

using testing::Listing;
using testing::ReadText;
using testing::WriteText;

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

bool WriteHello(std::FILE* file) { return std::fputs("hello\n", file) >= 0; }

class ReplaceFileTest : public ::testing::Test {
 protected:
  std::string Target() const { return folder.PathOf("file.xml"); }
  testing::TempFolder folder;
};

TEST_F(ReplaceFileTest, CreatesANewFileWithTheUmaskApplied) {
  const mode_t previous = ::umask(027);
  const bool written = ReplaceFile(Target(), WriteHello);
  ::umask(previous);
  ASSERT_TRUE(written);
  EXPECT_EQ(ReadText(Target()), "hello\n");
  EXPECT_EQ(ModeOf(Target()), 0640u);
  EXPECT_EQ(Listing(folder.DataDir()), "file.xml\n");
}

TEST_F(ReplaceFileTest, KeepsThePermissionBitsOfTheOldFile) {
  WriteText(Target(), "old content that is longer than the new one\n");
  ASSERT_EQ(::chmod(Target().c_str(), 0604), 0);
  ASSERT_TRUE(ReplaceFile(Target(), WriteHello));
  EXPECT_EQ(ReadText(Target()), "hello\n");
  EXPECT_EQ(ModeOf(Target()), 0604u);
}

TEST_F(ReplaceFileTest, RootKeepsTheOwnerOfTheOldFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can save another user's file";
  WriteText(Target(), "old\n");
  ASSERT_EQ(::chown(Target().c_str(), 65534, 65534), 0);
  ASSERT_TRUE(ReplaceFile(Target(), WriteHello));
  struct stat info {};
  ASSERT_EQ(::stat(Target().c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 65534u);
  EXPECT_EQ(info.st_gid, 65534u);
}

TEST_F(ReplaceFileTest, FailedWriterLeavesTheOldFileAndNoTemporary) {
  WriteText(Target(), "old\n");
  const bool written = ReplaceFile(Target(), [](std::FILE* file) {
    std::fputs("half of it", file);
    return false;
  });
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadText(Target()), "old\n");
  EXPECT_EQ(Listing(folder.DataDir()), "file.xml\n");
}

TEST_F(ReplaceFileTest, TargetThatCannotBeReplacedLeavesNoTemporary) {
  std::filesystem::create_directory(Target());
  WriteText(Target() + "/inside", "x");
  EXPECT_FALSE(ReplaceFile(Target(), WriteHello));
  EXPECT_TRUE(std::filesystem::is_directory(Target()));
  EXPECT_EQ(Listing(folder.DataDir()), "file.xml\n");
}

TEST_F(ReplaceFileTest, MissingFolderFails) {
  EXPECT_FALSE(ReplaceFile(folder.DataDir() + "/absent/file.xml", WriteHello));
}

TEST_F(ReplaceFileTest, SymbolicLinkStaysAndItsTargetIsReplaced) {
  std::filesystem::create_directory(folder.Root() + "/real");
  const std::string real = folder.Root() + "/real/file.xml";
  WriteText(real, "old\n");
  std::filesystem::create_symlink(real, Target());
  ASSERT_TRUE(ReplaceFile(Target(), WriteHello));
  EXPECT_TRUE(std::filesystem::is_symlink(Target()));
  EXPECT_EQ(ReadText(real), "hello\n");
  EXPECT_EQ(Listing(folder.Root() + "/real"), "file.xml\n");
}

// Both settings files, saved into a folder that may not be written: false, and the installed
// file stays exactly as it was.
TEST(ReadOnlyFolder, SavesFailAndLeaveTheOldFiles) {
  testing::TempFolder folder;
  const std::string optionsPath = folder.PathOf("options.xml");
  const std::string listPath = folder.PathOf("defaultScenario.xml");
  const std::string optionsText = "<OPTIONS><RunCount v=\"3\"/></OPTIONS>";
  const std::string listText = "<r><Scenes><Scene path=\"a\" enabled=\"1\"/></Scenes></r>";
  WriteText(optionsPath, optionsText);
  WriteText(listPath, listText);

  platform::RecordingMessageBoxes boxes;
  ScenarioList list;
  ASSERT_TRUE(list.Load(folder.DataFolder(), "defaultScenario.xml", boxes));
  list.SetSkyEnabled(0, 0);
  SaverOptions options;
  options.RunCount = 4;

  ASSERT_EQ(::chmod(folder.Root().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(folder.DataDir().c_str(), 0555), 0);
  const std::optional<bool> anySaved = testing::RunWithoutRoot([&] {
    const bool optionsSaved = SaveOptions(options, folder.DataFolder(), "options.xml");
    const bool listSaved = list.Save(folder.DataFolder(), "defaultScenario.xml");
    return optionsSaved || listSaved;
  });
  ASSERT_EQ(::chmod(folder.DataDir().c_str(), 0755), 0);
  if (!anySaved) GTEST_SKIP() << "could not give up root to make the folder read-only";

  EXPECT_FALSE(*anySaved);
  EXPECT_EQ(ReadText(optionsPath), optionsText);
  EXPECT_EQ(ReadText(listPath), listText);
  EXPECT_EQ(Listing(folder.DataDir()), "defaultScenario.xml\noptions.xml\n");
}

}  // namespace
}  // namespace aerolume::settings
