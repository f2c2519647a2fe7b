#include "settings/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace aerolume::settings {
namespace {

// The file that the rename must replace: the target of a symbolic link, else path itself.
std::string ResolvedTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  if (char* resolved = ::realpath(path.c_str(), nullptr)) {
    std::string target(resolved);
    std::free(resolved);
    return target;
  }
  return path;
}

// Gives the new file the old one's permission bits and, where allowed, its owner; a new file gets
// what open() would give it. The program is single-threaded, so reading the umask by setting it
// back is safe.
bool TakeOverAttributes(int fd, const std::string& path) {
  struct stat old {};
  if (::stat(path.c_str(), &old) != 0) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(fd, 0666 & ~mask) == 0;
  }
  if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
    // Only root may hand a file to another user; for anyone else the owner is already right.
    [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
  }
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a folder that cannot be synced does not undo the replacement.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::function<bool(std::FILE*)>& writeContent) {
  const std::string target = ResolvedTarget(path);
  std::string temporary = target + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;

  bool written = TakeOverAttributes(fd, target);
  std::FILE* file = written ? ::fdopen(fd, "w") : nullptr;
  if (file == nullptr) {
    ::close(fd);
    ::unlink(temporary.c_str());
    return false;
  }
  written = writeContent(file) && std::fflush(file) == 0 && std::ferror(file) == 0 &&
            ::fsync(fd) == 0;
  written = std::fclose(file) == 0 && written;
  if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(FolderOf(target));
  return true;
}

}  // namespace aerolume::settings
