#include "platform/key_store.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace aerolume::platform {
namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return (value && *value) ? value : fallback;
}

std::optional<std::string> ReadFromFirstDirHolding(const std::string& dirList) {
  std::istringstream dirs(dirList);
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (dir.empty()) continue;
    const std::string path = dir + "/" + kKeyFileName;
    if (std::ifstream(path)) return ReadDirFromKeyFile(path);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadDirFromKeyFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) return std::nullopt;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("Dir=", 0) == 0) return line.substr(4);
  }
  return std::nullopt;
}

std::optional<std::string> XdgKeyStore::ReadDir(KeyHive hive) const {
  if (hive == KeyHive::LocalMachine) return ReadFromFirstDirHolding(EnvOr("XDG_CONFIG_DIRS", "/etc/xdg"));
  const std::string home = EnvOr("HOME", "");
  const std::string configHome = EnvOr("XDG_CONFIG_HOME", home.empty() ? "" : home + "/.config");
  if (configHome.empty()) return std::nullopt;
  return ReadDirFromKeyFile(configHome + "/" + kKeyFileName);
}

}  // namespace aerolume::platform
