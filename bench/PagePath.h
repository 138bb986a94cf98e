#pragma once

#include "bench/BenchPages.h"

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
// Returns the number of Listings read.
int ReadPage(BenchSite site, const BenchPage& page);

// Times ReadPage and records the Listings, the page size and the peak heap
// of one more run as counters.
void MeasurePagePath(benchmark::State& state, BenchSite site, const BenchPage& page);
