// How much reading a result page costs beyond parsing it: the whole page path
// of one request against htmlcxx's bare parse, the sort of a full search's
// Listings, and the peak memory of one page path.
#include "bench/BenchReporter.h"
#include "bench/HostilePageBench.h"
#include "bench/PagePath.h"
#include "bench/PeakMemory.h"
#include "search/Listing.h"

#include <benchmark/benchmark.h>
#include <html/ParserDom.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

const BenchPage& PageFor(BenchSite site, int listings) {
  static std::map<std::pair<int, int>, BenchPage> pages;
  BenchPage& page = pages[{static_cast<int>(site), listings}];
  if (page.utf8.empty()) page = MakeBenchPage(MakeResultPage(site, listings));
  return page;
}

void BareParse(benchmark::State& state, BenchSite site) {
  const BenchPage& page = PageFor(site, static_cast<int>(state.range(0)));
  auto parse = [&] {
    htmlcxx::HTML::ParserDom parser;
    return parser.parseTree(page.local).size();
  };
  for (auto _ : state) benchmark::DoNotOptimize(parse());
  PeakMemory::Reset();
  parse();
  state.counters["peak_bytes"] = static_cast<double>(PeakMemory::Peak());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.utf8.size()));
}

void PagePath(benchmark::State& state, BenchSite site) {
  MeasurePagePath(state, site, PageFor(site, static_cast<int>(state.range(0))), PageEnd::Read);
}

// 3 keywords x 4 requests x 60 advertisements, dates of all three kinds.
void Sort720(benchmark::State& state) {
  const char* dates[] = {"2\xB7\xD6\xD6\xD3", "45\xB7\xD6\xD6\xD3", "1\xD0\xA1\xCA\xB1", "9\xD0\xA1\xCA\xB1",
                         "05-06", "04-28", "12-30", "11-02", ""};
  for (auto _ : state) {
    state.PauseTiming();
    ListingList list;
    for (int i = 0; i < 720; ++i) {
      Listing* l = new Listing;
      l->date = dates[(i * 7) % 9];
      l->title = "title";
      list.AppendListing(l);
    }
    state.ResumeTiming();
    SortListingsByDate(list.Head());
    state.PauseTiming();
    list.ClearListings();
    state.ResumeTiming();
  }
}

BENCHMARK_CAPTURE(BareParse, SiteA, BenchSite::SiteA)->Arg(60)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PagePath, SiteA, BenchSite::SiteA)->Arg(60)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BareParse, SiteB, BenchSite::SiteB)->Arg(60)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PagePath, SiteB, BenchSite::SiteB)->Arg(60)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Sort720)->Unit(benchmark::kMicrosecond);

void PrintRatios(const BenchReporter& report) {
  std::printf("\n%-22s %11s %11s %7s %10s %11s %8s %12s\n", "page path", "path (us)", "parse (us)", "ratio",
              "page (KB)", "peak (KB)", "peak/pg", "parse peak/pg");
  for (const char* site : {"SiteA", "SiteB"}) {
    for (const char* size : {"60", "2000"}) {
      const BenchRun* path = report.Find(std::string("PagePath/") + site + "/" + size);
      const BenchRun* parse = report.Find(std::string("BareParse/") + site + "/" + size);
      if (!path || !parse) continue;
      double pageBytes = path->counters.at("page_bytes");
      double peak = path->counters.at("peak_bytes");
      double parsePeak = parse->counters.at("peak_bytes");
      std::printf("%-22s %11.1f %11.1f %6.2fx %10.1f %11.1f %7.2fx %11.2fx\n",
                  (std::string(site) + ", " + size + " listings").c_str(), path->GetAdjustedRealTime(),
                  parse->GetAdjustedRealTime(), path->GetAdjustedRealTime() / parse->GetAdjustedRealTime(),
                  pageBytes / 1024, peak / 1024, peak / pageBytes, parsePeak / pageBytes);
    }
  }
  std::printf("targets: ratio <= 2x; peak memory of a page path < 4x the page\n");
  if (const BenchRun* sort = report.Find("Sort720"))
    std::printf("sort of 720 Listings: %.3f ms (target: < 5 ms)\n", sort->GetAdjustedRealTime() / 1000);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterHostilePageBenchmarks();
  BenchReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatios(reporter);
  PrintHostilePageTable(reporter);
  benchmark::Shutdown();
  return 0;
}
