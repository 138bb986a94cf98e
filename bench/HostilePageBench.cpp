#include "bench/HostilePageBench.h"

#include "bench/BenchReporter.h"
#include "bench/HostilePages.h"
#include "bench/PagePath.h"

#include <cstdio>
#include <string>

namespace {

struct PageSize {
  std::size_t bytes;
  const char* name;
};
const PageSize kSizes[] = {{256 * 1024, "256K"}, {2 * 1024 * 1024, "2M"}};
const BenchSite kSites[] = {BenchSite::SiteA, BenchSite::SiteB};

constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kTimeRatioLimit = 3.0;
constexpr double kHeapPerPageByte = 24.0;
constexpr double kInflateBuffer = 2 * kMiB;

const char* SiteName(BenchSite site) { return site == BenchSite::SiteA ? "SiteA" : "SiteB"; }

std::string CaseName(BenchSite site, const PageFillName& fill, const PageSize& size) {
  return std::string("Sized/") + SiteName(site) + "/" + fill.name + "/" + size.name;
}

double MsPerMiB(const BenchRun& run) {
  return run.GetAdjustedCPUTime() / (run.counters.at("page_bytes") / kMiB);
}

bool HeapWithinTarget(const BenchRun& run) {
  return run.counters.at("peak_bytes") <= kHeapPerPageByte * run.counters.at("page_bytes") + kInflateBuffer;
}

}  // namespace

void RegisterHostilePageBenchmarks() {
  for (BenchSite site : kSites)
    for (const PageFillName& fill : kPageFills)
      for (const PageSize& size : kSizes) {
        std::string name = CaseName(site, fill, size);
        benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
          // Google Benchmark runs one case's trials back to back, so one
          // page held at a time is enough and keeps the others' heap away.
          static std::string heldName;
          static BenchPage held;
          if (heldName != name) {
            held = MakeBenchPage(MakeSizedPage(site, fill.fill, size.bytes));
            heldName = name;
          }
          MeasurePagePath(state, site, held);
        })->Unit(benchmark::kMillisecond);
      }
}

void PrintHostilePageTable(const BenchReporter& report) {
  std::printf("\n%-24s", "page path, ms per MiB");
  for (const PageSize& size : kSizes) std::printf(" | %-8s %8s %7s %8s", size.name, "ms/MiB", "ratio", "heap/pg");
  std::printf(" | verdict\n");
  for (BenchSite site : kSites) {
    for (const PageFillName& fill : kPageFills) {
      std::printf("%-24s", (std::string(SiteName(site)) + " " + fill.name).c_str());
      bool measured = true;
      bool pass = true;
      for (const PageSize& size : kSizes) {
        const BenchRun* run = report.Find(CaseName(site, fill, size));
        const BenchRun* ordinary = report.Find(CaseName(site, kPageFills[0], size));
        if (!run || !ordinary) {
          std::printf(" | %-8s %8s %7s %8s", "", "-", "-", "-");
          measured = false;
          continue;
        }
        double ratio = MsPerMiB(*run) / MsPerMiB(*ordinary);
        bool heapOk = HeapWithinTarget(*run);
        pass = pass && ratio <= kTimeRatioLimit && heapOk;
        std::printf(" | %-8s %8.2f %6.2fx %7.1fx%s", "", MsPerMiB(*run), ratio,
                    run->counters.at("peak_bytes") / run->counters.at("page_bytes"), heapOk ? "" : "!");
      }
      std::printf(" | %s\n", !measured ? "not measured" : pass ? "PASS" : "FAIL");
    }
  }
  std::printf("targets: each page kind within %.0fx the ordinary page's time per MiB at the same size;\n"
              "peak heap of one page path within %.0fx the page + 2 MiB (\"!\" marks a miss)\n",
              kTimeRatioLimit, kHeapPerPageByte);
}
