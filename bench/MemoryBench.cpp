// The memory's cost to a search: a full file of 20,000 advertisements read,
// a search of 12,000 Listings marked against it, and the file written back
// (flushed to the disk) under its lock.
#include "memory/ListingMemory.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kRecords = 20000;
constexpr int kListings = 12000;
constexpr std::int64_t kNow = 1760000000;

std::string AdvertisementLink(int i) {
  char link[80];
  std::snprintf(link, sizeof link, "http://bj.sitea.example/zufang/%08dx.shtml", 31000000 + i);
  return link;
}

void MarkSearchOfAFullMemory(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "nestari-memory-bench";
  std::filesystem::create_directories(folder);
  {
    std::ofstream file(folder / "memory.txt", std::ios::binary);
    file << "nestari-memory 1\n";
    for (int i = 0; i < kRecords; ++i)
      file << kNow - 86400 - i << '\t' << kNow - i << '\t' << (i % 10 == 0) << '\t' << AdvertisementLink(i) << '\n';
  }
  ListingMemory memory(folder.u8string());
  ListingList list;
  for (int i = 0; i < kListings; ++i) list.AppendListing(new Listing{"title", "1500", "05-06", AdvertisementLink(i), "c"});
  for (auto _ : state)
    if (!memory.MarkSearch(list, kNow)) state.SkipWithError("the memory could not be stored");
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(folder / "memory.txt"));
  std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(MarkSearchOfAFullMemory)->Unit(benchmark::kMillisecond);
