// The command line of aerolume-snapshot.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace aerolume::tools {

struct SnapshotArgs {
  std::optional<std::string> sky;   // folder relative to the data folder, or absolute
  std::optional<std::string> data;  // data folder; default: installed, then the build tree
  int frames = 300;
  int width = 1280;
  int height = 800;
  std::string out;
  bool help = false;
};

// Parses the arguments after the program name. On a mistake, error says what is wrong.
struct ParsedSnapshotArgs {
  SnapshotArgs args;
  std::string error;
};
ParsedSnapshotArgs ParseSnapshotArgs(const std::vector<std::string>& arguments);

// The --help text.
std::string SnapshotUsage();

}  // namespace aerolume::tools
