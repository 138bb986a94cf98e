#include "bench/PagePath.h"

#include "bench/PeakMemory.h"
#include "demo/sites/HttpAnswer.h"
#include "net/Gunzip.h"
#include "net/TextConversion.h"
#include "page/PageDocument.h"
#include "search/Listing.h"
#include "search/SiteAParser.h"
#include "search/SiteBParser.h"

#include <utility>

namespace {
const char kPrefix[] = "http://bj";
}

BenchPage MakeBenchPage(std::string utf8) {
  BenchPage page;
  page.gzip = GzipText(utf8);
  page.local = Utf8ToLocal(utf8.c_str());
  page.utf8 = std::move(utf8);
  return page;
}

void ReadPageInto(BenchSite site, const BenchPage& page, ListingList& list) {
  std::string body;
  bool whole = false;
  InflateGzipBody(page.gzip.data(), static_cast<uint32_t>(page.gzip.size()), body, whole);
  std::string text = Utf8ToLocal(body.c_str());
  if (site == BenchSite::SiteA) ReadSiteAPage(text, "k", 0, list, whole);
  else ReadSiteBPage(text, "k", kPrefix, list, whole);
}

int CountListings(const ListingList& list) {
  int count = 0;
  for (Listing* l = list.Head(); l; l = l->next) ++count;
  return count;
}

int ReadPage(BenchSite site, const BenchPage& page, PageEnd end) {
  ListingList list;
  ReadPageInto(site, page, list);
  if (end == PageEnd::Sorted) SortListingsByDate(list.Head());
  return CountListings(list);
}

void MeasurePagePath(benchmark::State& state, BenchSite site, const BenchPage& page, PageEnd end) {
  // The run for the peak heap comes first, so that the timed runs find the
  // heap grown to the page's needs: the first growth of a fresh process costs
  // several times the page path itself in this virtual machine, and
  // Google Benchmark would average it into the one or two runs of a slow page.
  PeakMemory::Reset();
  ReadPage(site, page, end);
  state.counters["peak_bytes"] = static_cast<double>(PeakMemory::Peak());
  int listings = 0;
  for (auto _ : state) benchmark::DoNotOptimize(listings = ReadPage(site, page, end));
  state.counters["listings"] = listings;
  state.counters["page_bytes"] = static_cast<double>(page.utf8.size());
  PageDocument doc;
  doc.parseTree(page.local);
  state.counters["budget_used"] = 1.0 - static_cast<double>(doc.TreeBytesLeft()) / doc.TreeBytesAllowed();
  state.counters["cut"] = doc.PageCut();
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.utf8.size()));
}
