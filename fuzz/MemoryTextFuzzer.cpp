// Bytes as the memory's file through its reader: what it keeps must write out
// and read back the same, and stay bounded.
#include "memory/MemoryRecords.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  MemoryRecords records;
  if (!ParseMemoryText(text, records)) {
    if (!records.empty()) abort();
    return 0;
  }
  std::int64_t latest = 0;
  for (const auto& entry : records) {
    if (!IsRememberableLink(entry.first) || entry.second.firstListed > entry.second.lastListed) abort();
    if (entry.second.lastListed > latest) latest = entry.second.lastListed;
  }
  const std::string written = WriteMemoryText(records);
  if (!text.empty() && written.size() > text.size()) abort();  // nothing is added
  MemoryRecords again;
  if (!ParseMemoryText(written, again) || again.size() != records.size()) abort();
  for (const auto& entry : records) {
    const auto found = again.find(entry.first);
    if (found == again.end() || found->second.firstListed != entry.second.firstListed ||
        found->second.lastListed != entry.second.lastListed || found->second.opened != entry.second.opened)
      abort();
  }
  BoundMemoryRecords(again, latest);
  if (WriteMemoryText(again).size() >= kMemoryFileLimit) abort();
  return 0;
}
