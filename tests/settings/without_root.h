// Running a step where folder permissions really apply, also when the tests run as root.
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>

namespace aerolume::settings::testing {

// Runs step directly for an ordinary user. Root ignores a folder's missing write bit, so as root
// the step runs in a child process that has become "nobody" first. No value when that was
// impossible.
inline std::optional<bool> RunWithoutRoot(const std::function<bool()>& step) {
  if (::geteuid() != 0) return step();
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
      ::_exit(2);
    }
    ::_exit(step() ? 0 : 1);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 2) {
    return std::nullopt;
  }
  return WEXITSTATUS(status) == 0;
}

}  // namespace aerolume::settings::testing
