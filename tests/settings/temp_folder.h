// A scratch folder per test, laid out like an installation's data folder, and small file helpers.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

namespace aerolume::settings::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "aerolume-settings-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    std::filesystem::create_directory(root_ + "/data");
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(DataDir(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Root() const { return root_; }
  // The folder itself, without a trailing separator.
  std::string DataDir() const { return root_ + "/data"; }
  // What the program calls DataFolder: always ends with "/".
  std::string DataFolder() const { return DataDir() + "/"; }
  // Where a data file really lies.
  std::string PathOf(const std::string& fileName) const { return DataDir() + "/" + fileName; }

 private:
  std::string root_;
};

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The sorted names in folder, one a line, to see that no temporary file was left behind.
inline std::string Listing(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  std::string listing;
  for (const std::string& name : names) listing += name + '\n';
  return listing;
}

}  // namespace aerolume::settings::testing
