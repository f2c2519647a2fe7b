// System services that a screen saver asks of the desktop.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace aerolume::platform {

// An X window id; 0 is no window.
using WindowHandle = std::uint64_t;

class SystemServices {
 public:
  virtual ~SystemServices() = default;

  // The desktop's "a screen saver is running" flag. X11 has no such flag: the call is recorded only.
  virtual void SetScreenSaverRunning(bool running) = 0;

  // True for the NT family of the system version query; on Linux always true, so no password
  // check is ever asked of the saver (the desktop's own locker does that job).
  virtual bool IsNtFamily() const = 0;

  // An entry point of a system password library, or an empty function when the library or the
  // entry is missing. The libraries exist only on old desktops; on Linux nothing is ever found.
  using PasswordEntry = std::function<int(WindowHandle window)>;
  virtual PasswordEntry FindPasswordEntry(std::string_view library, std::string_view entry) = 0;

  // Opens a web address in the user's browser without waiting; failures are ignored.
  virtual void OpenUrl(const std::string& url) = 0;

  // Milliseconds of a monotonic clock since the process started.
  virtual std::int64_t MillisecondsSinceStart() = 0;
};

class LinuxSystemServices final : public SystemServices {
 public:
  void SetScreenSaverRunning(bool running) override;
  bool IsNtFamily() const override { return true; }
  PasswordEntry FindPasswordEntry(std::string_view library, std::string_view entry) override;
  void OpenUrl(const std::string& url) override;
  std::int64_t MillisecondsSinceStart() override;
};

}  // namespace aerolume::platform
