// The installation key: where Aerolume's data lives.
//
// On Linux the key is a file "Brightfold/Aerolume.conf" of name=value lines. The machine-wide copy is
// looked for in each directory of $XDG_CONFIG_DIRS (default /etc/xdg), the user's in
// $XDG_CONFIG_HOME (default $HOME/.config). A file that cannot be read, or has no "Dir" line, is a
// missing key.
#pragma once

#include <optional>
#include <string>

namespace aerolume::platform {

enum class KeyHive { LocalMachine, CurrentUser };

class KeyStore {
 public:
  virtual ~KeyStore() = default;
  // The value "Dir" of the key in that hive, or nothing when the key is missing.
  virtual std::optional<std::string> ReadDir(KeyHive hive) const = 0;
};

// Reads the XDG key files; the environment is read at each call.
class XdgKeyStore final : public KeyStore {
 public:
  std::optional<std::string> ReadDir(KeyHive hive) const override;
};

// The key file's path relative to an XDG configuration directory.
inline constexpr const char* kKeyFileName = "Brightfold/Aerolume.conf";

// The "Dir" value of one key file, or nothing when it cannot be read or has no "Dir" line.
std::optional<std::string> ReadDirFromKeyFile(const std::string& path);

}  // namespace aerolume::platform
