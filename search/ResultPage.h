#pragma once

#include "net/RequestTimeouts.h"
#include "net/WaitHook.h"
#include "search/Listing.h"

#include <new>
#include <set>
#include <string>

// A first result page holds some 60 advertisements; a page of thousands is
// built to make the sort, which compares every pair, hold the window.
constexpr std::size_t kMostListingsPerPage = 1000;
// A page's tree stops after this many elements of its advertisements' tag:
// room for the listed ones and for header and other rows before them, without
// building the rest of a flood.
constexpr std::size_t kMostAdvertTagsPerPage = 8 * kMostListingsPerPage;

// Fetches the result pages of one search. A host whose request ran out of
// time, or whose name gave no address, is not asked again: a silent or
// trickling site or name server then holds the search for one request's
// time, not for one per keyword and kind.
class ResultPageFetcher {
public:
  explicit ResultPageFetcher(RequestTimeouts timeouts = RequestTimeouts(), WaitHook* hook = nullptr)
      : timeouts_(timeouts), hook_(hook) {}

  // Fetches the result page at url and turns it into the local code page;
  // textWhole tells whether the text holds the whole page. False, with both
  // untouched, when the page cannot be fetched or its host failed before.
  bool Fetch(const std::string& url, std::string& pageText, bool& textWhole);

private:
  RequestTimeouts timeouts_;
  WaitHook* hook_;
  std::set<std::string> failedHosts_;
};

// Runs readPage on a list of its own, then moves what it read to the end of
// list. When memory runs out on the way, that page's Listings are dropped,
// list stays as it was and the search goes on. A template rather than a
// std::function, whose own allocation would come before the try.
template <typename ReadPage>
void AppendPageListings(ListingList& list, ReadPage readPage) {
  ListingList found;
  try {
    readPage(found);
  } catch (const std::bad_alloc&) {
    return;
  }
  list.AppendListings(found);
}
