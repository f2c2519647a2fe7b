// The generator's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace aerolume::skygen {

// What one run was asked to do.
struct Request {
  enum class Action { kHelp, kListPresets, kGenerate };
  Action action = Action::kGenerate;
  std::string outFolder;
  std::string preset;
  std::uint32_t seed = 1;
};

// A parsed request, or the reason the arguments were refused (error not empty).
struct ParsedCommandLine {
  Request request;
  std::string error;
};

// Parses the arguments after the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The --help text.
std::string UsageText();

}  // namespace aerolume::skygen
