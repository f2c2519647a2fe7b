#include "host/run_mode.h"

#include <cctype>
#include <cstdlib>

namespace aerolume::host {
namespace {

bool Contains(std::string_view text, std::string_view what) {
  return text.find(what) != std::string_view::npos;
}

}  // namespace

std::string LoweredCommandLine(int argc, const char* const* argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return line;
}

RunMode SelectRunMode(std::string_view lowered) {
  RunMode mode = RunMode::ModeConfigure;
  if (Contains(lowered, "/s") || Contains(lowered, "-s")) mode = RunMode::ModeFullScreen;
  if (Contains(lowered, "/a") || Contains(lowered, "-a")) mode = RunMode::ModeChangePassword;
  if (Contains(lowered, "/p") || Contains(lowered, "-p")) mode = RunMode::ModePreview;
  if (Contains(lowered, "/testpreview")) mode = RunMode::ModeTestPreview;
  return mode;
}

platform::WindowHandle PreviewParentFrom(std::string_view lowered) {
  std::size_t at = lowered.find("/p");
  if (at == std::string_view::npos) at = lowered.find("-p");
  if (at == std::string_view::npos) return 0;
  // The switch and one separator are skipped, whatever the separator is.
  const std::size_t start = at + 3;
  if (start >= lowered.size()) return 0;
  const std::string rest(lowered.substr(start));
  // Like a "%d" conversion: blanks, a sign, digits; window ids are unsigned 32-bit on X11.
  const long long value = std::strtoll(rest.c_str(), nullptr, 10);
  return static_cast<platform::WindowHandle>(static_cast<std::uint32_t>(value));
}

}  // namespace aerolume::host
