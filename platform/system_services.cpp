#include "platform/system_services.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace aerolume::platform {
namespace {

const auto kProcessStart = std::chrono::steady_clock::now();

}  // namespace

void LinuxSystemServices::SetScreenSaverRunning(bool) {
  // X11 keeps no system-wide "saver running" flag; the pairing of calls is all there is.
}

SystemServices::PasswordEntry LinuxSystemServices::FindPasswordEntry(std::string_view, std::string_view) {
  return {};
}

void LinuxSystemServices::OpenUrl(const std::string& url) {
  // Double fork: the browser launcher is reparented to init, so no zombie is left and nothing waits.
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    if (fork() == 0) {
      const int devNull = open("/dev/null", O_RDWR);
      if (devNull >= 0) {
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
      }
      execlp("xdg-open", "xdg-open", url.c_str(), static_cast<char*>(nullptr));
    }
    _exit(0);
  }
  waitpid(child, nullptr, 0);
}

std::int64_t LinuxSystemServices::MillisecondsSinceStart() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now() - kProcessStart).count();
}

}  // namespace aerolume::platform
