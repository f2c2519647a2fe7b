// Start-up: the data folder, the first read of the options, and the mode dispatch with the
// saver-running flag switched on and off around every mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/data_folder.h"
#include "host/screensaver_app.h"
#include "host/test_screensaver.h"
#include "platform/fakes/fake_key_store.h"
#include "platform/fakes/fake_system_services.h"
#include "platform/fakes/fake_window_system.h"
#include "platform/fakes/recording_message_boxes.h"

namespace fs = std::filesystem;
using namespace aerolume;
using platform::WindowHandle;

namespace {

const char* const kMachineBox = "HKEY_LOCAL_MACHINE Registry not found! Please reinstall Aerolume Screen Saver";
const char* const kBothBox = "Registry not found! Please reinstall Aerolume Screen Saver";

struct KeyCase {
  const char* name;
  std::optional<std::string> machine, user;
  std::vector<std::string> boxes;
  std::string dataFolder;
};

class FindDataFolderTable : public ::testing::TestWithParam<KeyCase> {};

TEST_P(FindDataFolderTable, ShowsTheRegistryBoxesAndSetsTheFolder) {
  const KeyCase& c = GetParam();
  platform::FakeKeyStore keys;
  keys.localMachineDir = c.machine;
  keys.currentUserDir = c.user;
  platform::RecordingMessageBoxes boxes;
  std::string dataFolder = "previous";
  host::FindDataFolder(keys, boxes, dataFolder);
  std::vector<std::string> texts;
  for (const auto& shown : boxes.shown) {
    EXPECT_EQ(shown.caption, "Error");
    EXPECT_EQ(shown.buttons, platform::Buttons::Ok);
    texts.push_back(shown.text);
  }
  EXPECT_EQ(texts, c.boxes);
  EXPECT_EQ(dataFolder, c.dataFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FindDataFolderTable,
    ::testing::Values(KeyCase{"none", std::nullopt, std::nullopt, {kMachineBox, kBothBox}, "previous"},
                      KeyCase{"userOnly", std::nullopt, "/home/u/a", {kMachineBox}, "/home/u/a/data/"},
                      KeyCase{"machineOnly", "/usr/share/aerolume", std::nullopt, {}, "/usr/share/aerolume/data/"},
                      KeyCase{"both", "/opt/a", "/home/u/a", {}, "/opt/a/data/"},
                      KeyCase{"trailingSlash", "/opt/a/", std::nullopt, {}, "/opt/a//data/"}),
    [](const auto& info) { return info.param.name; });

// Records the hooks the framework calls, in order.
class HookRecorder final : public host::CScreensaverApp {
 public:
  using CScreensaverApp::CScreensaverApp;
  std::vector<std::string> calls;

 protected:
  WindowHandle CreateSaverWindow() override { calls.push_back("CreateSaverWindow"); return 0; }
  void OnSaverFrame() override { calls.push_back("OnSaverFrame"); }
  void OnSaverEnd() override { calls.push_back("OnSaverEnd"); }
  void OnSaverResume() override { calls.push_back("OnSaverResume"); }
  void DoConfigure() override { calls.push_back("DoConfigure"); }
  WindowHandle CreatePreviewWindow(WindowHandle) override { calls.push_back("CreatePreviewWindow"); return 0; }
  void OnPreviewFrame() override { calls.push_back("OnPreviewFrame"); }
  void OnPreviewEnd() override { calls.push_back("OnPreviewEnd"); }
  void OnPreviewResume() override { calls.push_back("OnPreviewResume"); }
  std::string GetMakerName() override { return "Brightfold"; }
};

struct DispatchCase {
  const char* commandLine;
  std::vector<std::string> hooks;
  std::size_t testWindowsDestroyed;
};

class DispatchTable : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(DispatchTable, RunsTheModeBetweenTheFlagCallsAndReturnsFalse) {
  const DispatchCase& c = GetParam();
  platform::FakeKeyStore keys;
  platform::RecordingMessageBoxes boxes;
  platform::FakeSystemServices system;
  platform::FakeWindowSystem windows;
  HookRecorder app({keys, boxes, system, windows});
  EXPECT_FALSE(app.InitInstance(c.commandLine));
  EXPECT_EQ(app.calls, c.hooks) << c.commandLine;
  EXPECT_EQ(system.runningFlagCalls, (std::vector<bool>{true, false})) << c.commandLine;
  EXPECT_EQ(windows.destroyed.size(), c.testWindowsDestroyed);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DispatchTable,
    ::testing::Values(DispatchCase{"", {"DoConfigure"}, 0},
                      DispatchCase{"/c:1234", {"DoConfigure"}, 0},
                      // No window: RunSaver returns at once, without its own flag or end hook.
                      DispatchCase{"/s", {"CreateSaverWindow"}, 0},
                      DispatchCase{"/a -s", {}, 0},
                      // A handle that is no window: the preview returns before any hook.
                      DispatchCase{"/p 1234", {}, 0},
                      DispatchCase{"/p", {}, 0},
                      // The test window is made, offered to the preview hook and destroyed after.
                      DispatchCase{"/testpreview", {"CreatePreviewWindow"}, 1}));

TEST(ChangePassword, CallsThePasswordLibraryOnlyWhenItExists) {
  platform::FakeKeyStore keys;
  platform::RecordingMessageBoxes boxes;
  platform::FakeSystemServices system;
  platform::FakeWindowSystem windows;
  HookRecorder app({keys, boxes, system, windows});
  app.ChangePassword();  // nothing found: silently nothing

  int calls = 0;
  system.passwordEntries["MPR.DLL!PwdChangePasswordA"] = [&](WindowHandle) { return ++calls; };
  EXPECT_FALSE(app.InitInstance("/a"));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(boxes.shown.empty());
}

class ApplicationStartup : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("aerolume-startup-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "data");
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
  platform::FakeKeyStore keys_;
  platform::RecordingMessageBoxes boxes_;
  platform::FakeSystemServices system_;
  platform::FakeWindowSystem windows_;
};

TEST_F(ApplicationStartup, FindsTheFolderThenReportsAMissingOptionsFileWithItsFullPath) {
  keys_.currentUserDir = dir_.string();
  host::CTestScreensaver app({keys_, boxes_, system_, windows_});
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[0].text, kMachineBox);
  EXPECT_EQ(boxes_.shown[1].caption, dir_.string() + "/data//options.xml");
  EXPECT_EQ(boxes_.shown[1].text, "Error opening file for reading");
  EXPECT_EQ(app.DataFolder(), dir_.string() + "/data/");
  EXPECT_EQ(app.Options().SleepEnabled, 1) << "defaults stay in force";
}

TEST_F(ApplicationStartup, ReadsTheOptionsFileOfTheFoundFolderSilently) {
  keys_.localMachineDir = dir_.string();
  std::ofstream(dir_ / "data" / "options.xml")
      << "<?xml version=\"1.0\" ?>\n<OPTIONS>\n    <RunCount v=\"32\" />\n</OPTIONS>\n";
  host::CTestScreensaver app({keys_, boxes_, system_, windows_});
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_EQ(app.Options().RunCount, 32);
}

}  // namespace
