#include "tools/skygen/command_line.h"

#include <charconv>

#include "tools/skygen/sky_preset.h"

namespace aerolume::skygen {
namespace {

// A decimal seed from 0 to 4294967295, nothing else.
bool ParseSeed(const std::string& text, std::uint32_t& seed) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, seed);
  return error == std::errc() && last == end;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  Request& request = parsed.request;
  bool help = false, list = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (option == "--help" || option == "-h") {
      help = true;
      continue;
    }
    if (option == "--list-presets") {
      list = true;
      continue;
    }
    if (option != "--out" && option != "--preset" && option != "--seed") {
      parsed.error = "unknown option '" + option + "'";
      return parsed;
    }
    if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
      parsed.error = option + " needs a value";
      return parsed;
    }
    const std::string& value = arguments[++i];
    if (option == "--out") {
      request.outFolder = value;
    } else if (option == "--preset") {
      if (FindPreset(value) == nullptr) {
        parsed.error = "unknown preset '" + value + "' (see --list-presets)";
        return parsed;
      }
      request.preset = value;
    } else if (!ParseSeed(value, request.seed)) {
      parsed.error = "--seed needs a whole number from 0 to 4294967295, not '" + value + "'";
      return parsed;
    }
  }
  if (help) {
    request.action = Request::Action::kHelp;
  } else if (list) {
    request.action = Request::Action::kListPresets;
  } else if (request.outFolder.empty() || request.preset.empty()) {
    parsed.error = "both --out DIR and --preset NAME are needed (see --help)";
  }
  return parsed;
}

std::string UsageText() {
  return "Usage: aerolume-skygen --out DIR --preset NAME [--seed N]\n"
         "       aerolume-skygen --list-presets\n"
         "       aerolume-skygen --help\n"
         "\n"
         "Paints one sky for Aerolume into DIR: background.jpg, sun.tga, cloud.jpg,\n"
         "cloud-opacity.jpg and scene.xml naming them. The same preset and seed always give\n"
         "the same files.\n"
         "\n"
         "  --out DIR        folder to write (created if missing; files in it are replaced)\n"
         "  --preset NAME    the kind of sky; --list-presets shows them\n"
         "  --seed N         variation, 0 to 4294967295 (default 1)\n"
         "  --list-presets   show the presets and exit\n"
         "  --help           show this text and exit\n";
}

}  // namespace aerolume::skygen
