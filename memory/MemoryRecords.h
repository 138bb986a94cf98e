#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

// What is remembered of one advertisement. Times are seconds since 1970.
struct MemoryRecord {
  std::int64_t firstListed = 0;
  std::int64_t lastListed = 0;
  bool opened = false;
};

// Keyed by link in UTF-8. Ordered: the links come from pages, which could
// choose them to collide in a hash.
using MemoryRecords = std::map<std::string, MemoryRecord>;

// Two writers' records of one link as one: opened if either says so, first
// listed at the earliest, last listed at the latest.
void MergeMemoryRecord(MemoryRecord& into, const MemoryRecord& from);

// Whether a link in UTF-8 can be a key of the memory and a line of its file.
bool IsRememberableLink(const std::string& link);

// The file's text. An empty text is an empty memory; any other text must
// start with the format's first line, or ParseMemoryText returns false (a
// file of another format or version) and leaves records empty. Lines that do
// not parse, a last line without its line end included, are skipped.
bool ParseMemoryText(const std::string& text, MemoryRecords& records);
std::string WriteMemoryText(const MemoryRecords& records);

// Drops the records not listed for 60 days before now, then, while there are
// more than 20,000 or their text would reach 8 MiB, those listed longest ago.
void BoundMemoryRecords(MemoryRecords& records, std::int64_t now);

// The file is never read past this, nor written up to it.
constexpr std::size_t kMemoryFileLimit = 8 * 1024 * 1024;
