// Date texts through the comparison and the sort. Input: dates separated by
// newlines.
#include "search/Listing.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  ListingList list;
  std::size_t start = 0;
  while (start <= input.size()) {
    std::size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    Listing* listing = new Listing;
    listing->date = input.substr(start, end - start);
    list.AppendListing(listing);
    start = end + 1;
  }
  Listing* head = list.Head();
  if (head->next) {
    int ab = CompareListingDates(head->date, head->next->date);
    if (ab != 1 && ab != -1) abort();
  }
  SortListingsByDate(head);
  // Newest first: no later Listing may be newer than an earlier one.
  for (Listing* p = list.Head(); p && p->next; p = p->next) {
    if (CompareListingDates(p->date, p->next->date) < 0) abort();
  }
  return 0;
}
