#include "tools/bench/bench_summary.h"

#include <unistd.h>

#include <cstdio>

namespace aerolume::tools {

namespace {

double ToMillis(double value, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond: return value / 1e6;
    case benchmark::kMicrosecond: return value / 1e3;
    case benchmark::kMillisecond: return value;
    case benchmark::kSecond: return value * 1e3;
  }
  return value;
}

}  // namespace

SummaryReporter::SummaryReporter()
    : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
  // With --benchmark_repetitions the median stands for the benchmark; otherwise its one run.
  for (const Run& run : runs) {
    if (run.error_occurred) continue;
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    const bool single = run.run_type == Run::RT_Iteration && run.iterations > 0;
    const std::string& name = run.run_name.function_name;
    if (median || (single && !medians_.count(name))) {
      millis_[name] = ToMillis(run.GetAdjustedRealTime(), run.time_unit);
    }
    if (median) medians_.insert(name);
  }
  ConsoleReporter::ReportRuns(runs);
}

void SummaryReporter::PrintSummary(const std::vector<std::string>& skies, int width,
                                   int height) const {
  auto get = [this](const std::string& name) {
    const auto found = millis_.find(name);
    return found == millis_.end() ? -1.0 : found->second;
  };
  const double floor = get("frame_floor");
  std::printf("\nPer sky (real time; frames at %dx%d; frame floor = clear + swap = %.2f ms)\n",
              width, height, floor);
  std::printf("%-24s %10s %10s %8s %11s %11s %11s %10s %10s %10s %10s\n", "sky", "decode ms",
              "build ms", "build/dec", "mipmaps ms", "mip-pot ms", "upload ms", "update us",
              "frame ms", "back ms", "frame-flr");
  for (const std::string& sky : skies) {
    const double decode = get("decode/" + sky);
    const double build = get("build/" + sky);
    const double frame = get("frame/" + sky);
    std::printf("%-24s %10.2f %10.2f %8.2f %11.2f %11.2f %11.2f %10.2f %10.2f %10.2f %10.2f\n",
                sky.c_str(), decode, build, decode > 0 ? build / decode : 0.0,
                get("back_mipmaps/" + sky), get("back_mipmaps_pot/" + sky),
                get("back_upload/" + sky), get("update/" + sky) * 1e3, frame,
                get("frame_back/" + sky), frame - floor);
  }
  std::printf("Target: build at most 3x decode.\n");
}

}  // namespace aerolume::tools
