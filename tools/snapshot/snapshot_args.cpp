#include "tools/snapshot/snapshot_args.h"

#include <charconv>

namespace aerolume::tools {

namespace {

constexpr int kMaxSide = 16384;  // GL_MAX_VIEWPORT_DIMS of common drivers

// A whole decimal number from min to max, nothing else.
std::optional<int> ParseNumber(const std::string& text, int min, int max) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < min || value > max) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

ParsedSnapshotArgs ParseSnapshotArgs(const std::vector<std::string>& arguments) {
  ParsedSnapshotArgs parsed;
  SnapshotArgs& a = parsed.args;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (option == "--help" || option == "-h") {
      a.help = true;
      return parsed;
    }
    if (option != "--sky" && option != "--data" && option != "--frames" && option != "--size" &&
        option != "--out") {
      parsed.error = "unknown argument '" + option + "'";
      return parsed;
    }
    // An option right after another means its value was left out.
    if (i + 1 >= arguments.size() || arguments[i + 1].rfind("--", 0) == 0) {
      parsed.error = option + " needs a value";
      return parsed;
    }
    const std::string& value = arguments[++i];
    if (option == "--sky") {
      a.sky = value;
    } else if (option == "--data") {
      a.data = value;
    } else if (option == "--out") {
      a.out = value;
    } else if (option == "--frames") {
      const auto frames = ParseNumber(value, 1, 100000000);
      if (!frames) {
        parsed.error = "--frames wants a whole number of at least 1, not '" + value + "'";
        return parsed;
      }
      a.frames = *frames;
    } else {
      const auto x = value.find('x');
      const auto width = x == std::string::npos ? std::nullopt : ParseNumber(value.substr(0, x), 1, kMaxSide);
      const auto height = x == std::string::npos ? std::nullopt : ParseNumber(value.substr(x + 1), 1, kMaxSide);
      if (!width || !height) {
        parsed.error = "--size wants WIDTHxHEIGHT (1 to 16384 each), not '" + value + "'";
        return parsed;
      }
      a.width = *width;
      a.height = *height;
    }
  }
  if (a.out.empty()) parsed.error = "--out FILE is required";
  return parsed;
}

std::string SnapshotUsage() {
  return "Usage: aerolume-snapshot --out FILE.png [--sky PATH] [--data DIR] [--frames N]\n"
         "                         [--size WxH]\n"
         "\n"
         "Renders a sky with the saver's own renderer on the X display ($DISPLAY; Xvfb works)\n"
         "and writes the picture of the last frame as a PNG.\n"
         "\n"
         "  --sky PATH    the sky folder to render: relative to the data folder, or absolute.\n"
         "                Without it, a sky is picked from the data folder's defaultScenario.xml\n"
         "                as the saver does (sky changes follow options.xml).\n"
         "  --data DIR    the data folder (default: the installed data, then the build tree's)\n"
         "  --frames N    frames to draw before the picture is taken (default 300; the first\n"
         "                100 fade in from black when sky changes are on)\n"
         "  --size WxH    picture size in pixels (default 1280x800)\n"
         "  --out FILE    the PNG to write\n"
         "  --help        this text\n";
}

}  // namespace aerolume::tools
