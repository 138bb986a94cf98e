// Bytes as the memory's file through its reader: what it keeps must write out
// and read back the same, and stay bounded.
#include "memory/MemoryRecords.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  MemoryRecords records;
  records.Text() = text;
  if (!records.Parse()) {
    if (!records.Entries().empty()) abort();
    return 0;
  }
  std::int64_t latest = 0;
  const MemoryEntry* previous = nullptr;
  for (const MemoryEntry& entry : records.Entries()) {
    if (!IsRememberableLink(entry.link) || entry.record.firstListed > entry.record.lastListed) abort();
    if (previous && !(previous->link < entry.link)) abort();  // sorted, each link once
    previous = &entry;
    if (entry.record.lastListed > latest) latest = entry.record.lastListed;
  }
  std::string written;
  records.Write(written);
  if (!text.empty() && written.size() > text.size()) abort();  // nothing is added
  MemoryRecords again;
  again.Text() = written;
  if (!again.Parse() || again.Entries().size() != records.Entries().size()) abort();
  for (const MemoryEntry& entry : records.Entries()) {
    const MemoryRecord* found = again.Find(entry.link);
    if (!found || found->firstListed != entry.record.firstListed || found->lastListed != entry.record.lastListed ||
        found->opened != entry.record.opened)
      abort();
  }
  std::string rewritten;
  again.Write(rewritten);
  if (rewritten != written) abort();  // read back, written alike
  again.Bound(latest);
  again.Write(rewritten);
  if (rewritten.size() >= kMemoryFileLimit) abort();
  return 0;
}
