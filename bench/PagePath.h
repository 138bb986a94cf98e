#pragma once

#include "bench/BenchPages.h"
#include "search/Listing.h"

#include <benchmark/benchmark.h>

#include <string>

// A result page in the three forms the page path meets it.
struct BenchPage {
  std::string utf8;   // as the site writes it
  std::string gzip;   // as it arrives
  std::string local;  // as the parsers read it
};
BenchPage MakeBenchPage(std::string utf8);

// Everything after the bytes arrive: inflate, convert, parse, extract.
void ReadPageInto(BenchSite site, const BenchPage& page, ListingList& list);
int CountListings(const ListingList& list);
// One page read, and sorted as a search of that page alone would end, or not;
// returns the Listings read.
enum class PageEnd { Read, Sorted };
int ReadPage(BenchSite site, const BenchPage& page, PageEnd end);

// Times ReadPage and records the Listings, the page size, the peak heap of
// one run before, and the share of its budget the page's tree took (and whether
// the page was cut) as counters.
void MeasurePagePath(benchmark::State& state, BenchSite site, const BenchPage& page, PageEnd end);
