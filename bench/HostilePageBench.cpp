#include "bench/HostilePageBench.h"

#include "bench/BenchReporter.h"
#include "bench/HostilePages.h"
#include "bench/PagePath.h"
#include "search/ResultPage.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct PageSize {
  std::size_t bytes;
  const char* name;
};
const PageSize kSizes[] = {{256 * 1024, "256K"}, {2 * 1024 * 1024, "2M"}};
const BenchSite kSites[] = {BenchSite::SiteA, BenchSite::SiteB};

constexpr double kMiB = 1024.0 * 1024.0;
// What any page may cost in the page path, hostile or not: a wait the user
// barely notices, and memory a desktop tool may take for a moment.
constexpr double kMostMs = 300;
constexpr double kMostHeapMiB = 256;
// The share of the tree's budget an honest page may take.
constexpr double kMostHonestShare = 0.5;

const char* SiteName(BenchSite site) { return site == BenchSite::SiteA ? "SiteA" : "SiteB"; }

std::string CaseName(BenchSite site, const PageFillName& fill, const PageSize& size) {
  return std::string("Sized/") + SiteName(site) + "/" + fill.name + "/" + size.name;
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
          static int adverts = 0;
          if (heldName != name) {
            held = MakeBenchPage(MakeSizedPage(site, fill.fill, size.bytes));
            adverts = CountAdvertisements(site, held.utf8);
            heldName = name;
          }
          // With the sort, so that a page that yields many Listings pays for them.
          MeasurePagePath(state, site, held, PageEnd::Sorted);
          state.counters["adverts"] = adverts;
        })->Unit(benchmark::kMillisecond);
      }
  // One search of three keywords with everything ticked, every page a flood.
  benchmark::RegisterBenchmark("FloodSearch/12 pages", [](benchmark::State& state) {
    std::vector<std::pair<BenchSite, BenchPage>> pages;
    for (BenchSite site : kSites)
      for (int i = 0; i < 6; ++i)
        pages.emplace_back(site, MakeBenchPage(MakeSizedPage(site, PageFill::Flood, kSizes[1].bytes)));
    int listings = 0;
    for (auto _ : state) {
      ListingList list;
      for (const auto& page : pages) ReadPageInto(page.first, page.second, list);
      SortListingsByDate(list.Head());
      benchmark::DoNotOptimize(listings = CountListings(list));
    }
    state.counters["listings"] = listings;
  })->Unit(benchmark::kMillisecond);
}

void PrintHostilePageTable(const BenchReporter& report) {
  std::printf("\n%-26s", "page path");
  for (const PageSize& size : kSizes)
    std::printf(" | %-4s %7s %8s %7s %6s %5s", size.name, "ms", "heap MiB", "heap/pg", "budget", "ads");
  std::printf(" | verdict\n");
  double mostHonestShare = 0;
  std::string mostHonestName;
  for (BenchSite site : kSites) {
    for (const PageFillName& fill : kPageFills) {
      const std::string rowName = std::string(SiteName(site)) + " " + fill.name;
      std::printf("%-26s", rowName.c_str());
      bool measured = true;
      bool whole = true;
      bool within = true;
      bool roomyAll = true;
      for (const PageSize& size : kSizes) {
        const BenchRun* run = report.Find(CaseName(site, fill, size));
        if (!run) {
          std::printf(" | %-4s %7s %8s %7s %6s %5s", "", "-", "-", "-", "-", "-");
          measured = false;
          continue;
        }
        auto c = [&](const char* counter) { return static_cast<double>(run->counters.at(counter)); };
        double ms = run->GetAdjustedCPUTime();
        double heapMiB = c("peak_bytes") / kMiB;
        double share = c("budget_used");
        bool fast = ms <= kMostMs;
        bool small = heapMiB <= kMostHeapMiB;
        bool roomy = !fill.honest || share <= kMostHonestShare;
        within = within && fast && small;
        roomyAll = roomyAll && roomy;
        if (fill.honest) {
          // Whole: nothing cut away, and every advertisement listed up to the cap.
          double expected = std::min(c("adverts"), static_cast<double>(kMostListingsPerPage));
          whole = whole && c("cut") == 0 && c("listings") == expected;
          if (share > mostHonestShare) {
            mostHonestShare = share;
            mostHonestName = rowName + " at " + size.name;
          }
        }
        std::printf(" | %-4s %6.1f%s %7.1f%s %6.1fx %4.0f%%%s %5.0f", "", ms, fast ? " " : "!", heapMiB,
                    small ? " " : "!", c("peak_bytes") / c("page_bytes"), share * 100, roomy ? " " : "!",
                    c("listings"));
      }
      const char* verdict = !within       ? "OVER TARGET"
                            : !fill.honest  ? "PASS"
                            : !whole        ? "LOST ADVERTISEMENTS"
                            : roomyAll      ? "whole"
                                            : "whole, LITTLE ROOM";
      std::printf(" | %s\n", measured ? verdict : "not measured");
    }
  }
  std::printf("targets: every page's path within %.0f ms of CPU time and %.0f MiB of peak heap; an honest page\n"
              "read whole (not cut, every advertisement listed up to %zu a page) within %.0f%% of the budget, the\n"
              "share of what a page's tree may take that the tree took (\"!\" marks a miss)\n",
              kMostMs, kMostHeapMiB, kMostListingsPerPage, kMostHonestShare * 100);
  if (!mostHonestName.empty())
    std::printf("headroom: the largest share of the budget an honest page took is %.0f%% (%s)\n",
                mostHonestShare * 100, mostHonestName.c_str());
  if (const BenchRun* flood = report.Find("FloodSearch/12 pages"))
    std::printf("twelve 2 MiB flood pages read and sorted: %.0f ms, %.0f Listings (target: well under 1 s)\n",
                flood->GetAdjustedRealTime(), static_cast<double>(flood->counters.at("listings")));
}
