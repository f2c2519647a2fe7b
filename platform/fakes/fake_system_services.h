// System services for tests: records the saver-running flag and opened pages, a settable clock,
// and an optional scripted password library.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/system_services.h"

namespace aerolume::platform {

class FakeSystemServices final : public SystemServices {
 public:
  std::vector<bool> runningFlagCalls;
  std::vector<std::string> openedUrls;
  std::int64_t nowMs = 0;
  bool ntFamily = true;
  // "LIBRARY!Entry" -> entry point.
  std::map<std::string, PasswordEntry> passwordEntries;

  void SetScreenSaverRunning(bool running) override { runningFlagCalls.push_back(running); }
  bool IsNtFamily() const override { return ntFamily; }
  PasswordEntry FindPasswordEntry(std::string_view library, std::string_view entry) override {
    const auto found = passwordEntries.find(std::string(library) + "!" + std::string(entry));
    return found == passwordEntries.end() ? PasswordEntry{} : found->second;
  }
  void OpenUrl(const std::string& url) override { openedUrls.push_back(url); }
  std::int64_t MillisecondsSinceStart() override { return nowMs; }
};

}  // namespace aerolume::platform
