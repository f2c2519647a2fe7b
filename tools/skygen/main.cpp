// aerolume-skygen: paints Aerolume's skies.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/skygen/command_line.h"
#include "tools/skygen/sky_folder.h"
#include "tools/skygen/sky_preset.h"

namespace {

using aerolume::skygen::Request;

// Prints each preset's name and what it looks like.
void ListPresets() {
  for (const auto& preset : aerolume::skygen::AllPresets())
    std::printf("%-16.*s %.*s\n", static_cast<int>(preset.name.size()), preset.name.data(),
                static_cast<int>(preset.description.size()), preset.description.data());
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const auto parsed = aerolume::skygen::ParseCommandLine(arguments);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "aerolume-skygen: %s\n", parsed.error.c_str());
    return 2;
  }
  const Request& request = parsed.request;
  switch (request.action) {
    case Request::Action::kHelp:
      std::fputs(aerolume::skygen::UsageText().c_str(), stdout);
      return 0;
    case Request::Action::kListPresets:
      ListPresets();
      return 0;
    case Request::Action::kGenerate:
      break;
  }
  const auto started = std::chrono::steady_clock::now();
  const std::string problem = aerolume::skygen::WriteSkyFolder(
      *aerolume::skygen::FindPreset(request.preset), request.seed, request.outFolder);
  if (!problem.empty()) {
    std::fprintf(stderr, "aerolume-skygen: %s\n", problem.c_str());
    return 1;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
  std::printf("aerolume-skygen: %s (seed %u) written to %s in %.2f s\n", request.preset.c_str(),
              request.seed, request.outFolder.c_str(), took.count());
  return 0;
}
