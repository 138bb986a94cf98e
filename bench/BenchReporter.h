#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

using BenchRun = benchmark::BenchmarkReporter::Run;

// The console report, keeping every run so the summaries can be printed at
// the end.
class BenchReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) results_[run.benchmark_name()] = run;
    ConsoleReporter::ReportRuns(runs);
  }

  // The run of that name, or null when it was filtered out or never ended.
  const BenchRun* Find(const std::string& name) const {
    auto it = results_.find(name);
    return it == results_.end() ? nullptr : &it->second;
  }

private:
  std::map<std::string, Run> results_;
};
