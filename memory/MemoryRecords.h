#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// What is remembered of one advertisement. Times are seconds since 1970.
struct MemoryRecord {
  std::int64_t firstListed = 0;
  std::int64_t lastListed = 0;
  bool opened = false;
};

// One advertisement's record under its link, in UTF-8.
struct MemoryEntry {
  std::string_view link;
  MemoryRecord record;
  bool asRead = false;  // its line in the text read is as it would be written
};

// Two writers' records of one link as one: opened if either says so, first
// listed at the earliest, last listed at the latest.
void MergeMemoryRecord(MemoryRecord& into, const MemoryRecord& from);

// Whether a link in UTF-8 can be a key of the memory and a line of its file.
bool IsRememberableLink(std::string_view link);

// The records of the file's text, sorted by link: looked up by binary search,
// never by a hash, since the links come from pages that could choose them to
// collide. The entries point into the text read and the links added, so a
// full file costs no allocation a record.
class MemoryRecords {
public:
  MemoryRecords() = default;
  // A copy starts empty: the entries point into the original's buffers.
  MemoryRecords(const MemoryRecords&) {}
  MemoryRecords& operator=(const MemoryRecords&) {
    entries_.clear();
    return *this;
  }

  // An empty text is an empty memory; any other text must start with the
  // format's first line, or Parse returns false (a file of another format or
  // version) and leaves the records empty. Lines that do not parse, a last
  // line without its line end included, are skipped.
  // The file is read into Text() and parsed there. Its buffer is kept, as
  // the entries' are, for the next use.
  std::string& Text() { return text_; }
  bool Parse();
  // Into text, reusing its buffer.
  void Write(std::string& text) const;

  const MemoryRecord* Find(std::string_view link) const;
  // Merges record into the record of each link (rememberable, in any order,
  // repeats allowed), adding those not remembered.
  void Merge(std::vector<std::string> links, const MemoryRecord& record);

  // Drops the records not listed for 60 days before now, then, while there
  // are more than 20,000 or their text would reach 8 MiB, those listed
  // longest ago.
  void Bound(std::int64_t now);

  const std::vector<MemoryEntry>& Entries() const { return entries_; }

private:
  std::string text_;
  std::deque<std::string> added_;  // a deque, so that views of them stay valid
  std::vector<MemoryEntry> entries_;
};

// The file is never read past this, nor written up to it.
constexpr std::size_t kMemoryFileLimit = 8 * 1024 * 1024;
