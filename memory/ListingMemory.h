#pragma once

#include "memory/MemoryRecords.h"
#include "search/Listing.h"

#include <cstdint>
#include <string>

// What Nestari remembers of the advertisements it has listed, for the current
// user: one file, "memory.txt", in folder (a UTF-8 path), shared safely by
// every Nestari window. An empty folder remembers nothing. Times are seconds
// since 1970, handed in so that tests can move the clock.
class ListingMemory {
public:
  explicit ListingMemory(std::string folder) : folder_(std::move(folder)) {}

  // After a search: marks each Listing New when no earlier search listed its
  // link, Opened when it was ever opened, Seen otherwise, and records them all
  // as listed at now. Leaves every mark Plain and returns false when the
  // memory cannot be read or written.
  bool MarkSearch(ListingList& list, std::int64_t now);
  // Records that the advertisement at link (as a Listing holds it) was
  // opened; false when it cannot be remembered or stored.
  bool MarkOpened(const std::string& link, std::int64_t now);

  const std::string& Folder() const { return folder_; }

private:
  std::string folder_;
  // Kept between uses: a full memory's buffers are megabytes, and fresh ones
  // would be faulted in page by page again at every search.
  MemoryRecords records_;
  std::string written_;
};
