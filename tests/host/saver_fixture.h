// A saver on a scripted desktop: a real data folder with "options.xml" in a scratch directory, fake
// platform services, and a renderer that records what the saver window asks of it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/test_screensaver.h"
#include "platform/fakes/fake_key_store.h"
#include "platform/fakes/fake_system_services.h"
#include "platform/fakes/fake_window_system.h"
#include "platform/fakes/recording_message_boxes.h"
#include "settings/options_file.h"
#include "tests/settings/temp_folder.h"

namespace aerolume::host::testing {

using platform::Msg;
using platform::WindowHandle;

// Records the renderer calls of the saver window, in order.
class RecordingRenderer final : public SaverRenderer {
 public:
  static constexpr std::uint64_t kVisual = 0x2b;
  std::vector<std::string> calls;
  int frames = 0;

  std::uint64_t ChooseVisual() override {
    calls.push_back("ChooseVisual");
    return kVisual;
  }
  void SetupPixelFormat(WindowHandle) override { calls.push_back("SetupPixelFormat"); }
  void CreateContext(WindowHandle) override { calls.push_back("CreateContext"); }
  void InitRenderer() override { calls.push_back("InitRenderer"); }
  void ResizeViewport(int width, int height) override {
    calls.push_back("ResizeViewport " + std::to_string(width) + "x" + std::to_string(height));
  }
  void RenderFrame() override { ++frames; }
};

// The application object with its hooks and window records opened to the tests.
class OpenSaver final : public CTestScreensaver {
 public:
  using CTestScreensaver::CTestScreensaver;
  using CTestScreensaver::CreatePreviewWindow;
  using CTestScreensaver::CreateSaverWindow;
  WindowHandle SaverWnd() const { return m_hSaverWnd; }
  bool Active() const { return m_bActive; }
  const SaverWindowState& State() const { return saverState_; }
};

class SaverFixture : public ::testing::Test {
 protected:
  SaverFixture() { keys.localMachineDir = folder.Root(); }

  // Writes "options.xml" with the given body elements.
  void WriteOptions(const std::string& elements) {
    settings::testing::WriteText(folder.PathOf("options.xml"),
                                 "<?xml version=\"1.0\" ?>\n<OPTIONS>\n" + elements + "</OPTIONS>\n");
  }
  void WriteRunCount(int runCount) {
    WriteOptions("    <RunCount v=\"" + std::to_string(runCount) + "\" />\n");
  }
  // The options as they are on disk now.
  settings::SaverOptions OnDisk() {
    settings::SaverOptions options;
    platform::RecordingMessageBoxes ignored;
    settings::LoadOptions(options, folder.DataFolder(), "options.xml", ignored);
    return options;
  }

  OpenSaver& MakeApp() {
    app = std::make_unique<OpenSaver>(
        AppServices{keys, boxes, system, windows},
        [this](const std::string&, settings::SaverOptions&) {
          auto made = std::make_unique<RecordingRenderer>();
          renderer = made.get();
          return made;
        },
        [this] { return today; });
    return *app;
  }

  settings::testing::TempFolder folder;
  platform::FakeKeyStore keys;
  platform::RecordingMessageBoxes boxes;
  platform::FakeSystemServices system;
  platform::FakeWindowSystem windows;
  LocalDay today{10, 6};
  RecordingRenderer* renderer = nullptr;
  std::unique_ptr<OpenSaver> app;
};

}  // namespace aerolume::host::testing
