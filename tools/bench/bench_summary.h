// Prints Google Benchmark's usual table and, at the end, the figures of each sky side by side.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace aerolume::tools {

class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  // Colour only on a terminal, so that saved output stays plain text.
  SummaryReporter();
  void ReportRuns(const std::vector<Run>& runs) override;

  // One line per sky: decode, build and their ratio, update, frame, its floor and the background
  // frame, in milliseconds (update in microseconds).
  void PrintSummary(const std::vector<std::string>& skies, int width, int height) const;

 private:
  // Real time per iteration in milliseconds, by benchmark name.
  std::map<std::string, double> millis_;
  std::set<std::string> medians_;
};

}  // namespace aerolume::tools
