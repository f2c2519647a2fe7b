// The XDG key files stand in for the installation key of both hives.
#include "platform/key_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using aerolume::platform::KeyHive;
using aerolume::platform::XdgKeyStore;

namespace {

class KeyStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("aerolume-keys-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    ::setenv("XDG_CONFIG_DIRS", (Dir("sys1") + ":" + Dir("sys2")).c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", Dir("home").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(root_); }

  std::string Dir(const std::string& name) const { return (root_ / name).string(); }
  void WriteKey(const std::string& dir, const std::string& content) {
    fs::create_directories(root_ / dir / "Brightfold");
    std::ofstream(root_ / dir / "Brightfold" / "Aerolume.conf") << content;
  }

  fs::path root_;
  XdgKeyStore keys_;
};

TEST_F(KeyStoreTest, NoFileAnywhereIsAMissingKeyInBothHives) {
  EXPECT_FALSE(keys_.ReadDir(KeyHive::LocalMachine));
  EXPECT_FALSE(keys_.ReadDir(KeyHive::CurrentUser));
}

TEST_F(KeyStoreTest, MachineKeyComesFromTheFirstConfigDirHoldingTheFile) {
  WriteKey("sys2", "Dir=/opt/second\n");
  EXPECT_EQ(keys_.ReadDir(KeyHive::LocalMachine), "/opt/second");
  WriteKey("sys1", "# installed by the package\nDir=/opt/first\n");
  EXPECT_EQ(keys_.ReadDir(KeyHive::LocalMachine), "/opt/first");
  EXPECT_FALSE(keys_.ReadDir(KeyHive::CurrentUser));
}

TEST_F(KeyStoreTest, UserKeyComesFromConfigHome) {
  WriteKey("home", "Other=1\r\nDir=/home/me/aerolume/\r\n");
  EXPECT_EQ(keys_.ReadDir(KeyHive::CurrentUser), "/home/me/aerolume/") << "nothing but the line end is trimmed";
}

TEST_F(KeyStoreTest, AFileWithoutDirIsAMissingKeyEvenWhenALaterDirHasOne) {
  WriteKey("sys1", "Directory=/nope\n dir=/nope\n");
  WriteKey("sys2", "Dir=/opt/second\n");
  EXPECT_FALSE(keys_.ReadDir(KeyHive::LocalMachine));
}

TEST_F(KeyStoreTest, DefaultsApplyWhenTheVariablesAreUnset) {
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", Dir("house").c_str(), 1);
  WriteKey("house/.config", "Dir=/from/home\n");
  EXPECT_EQ(keys_.ReadDir(KeyHive::CurrentUser), "/from/home");
}

}  // namespace
