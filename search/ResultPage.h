#pragma once

#include "net/RequestTimeouts.h"
#include "search/Listing.h"

#include <new>
#include <set>
#include <string>

// Fetches the result pages of one search. A host whose request ran out of
// time is not asked again: a silent or trickling site then holds the search
// for one request's time, not for one per keyword and kind.
class ResultPageFetcher {
public:
  explicit ResultPageFetcher(RequestTimeouts timeouts = RequestTimeouts()) : timeouts_(timeouts) {}

  // Fetches the result page at url and turns it into the local code page.
  // False, with pageText untouched, when the page cannot be fetched or its
  // host has timed out before.
  bool Fetch(const std::string& url, std::string& pageText);

private:
  RequestTimeouts timeouts_;
  std::set<std::string> timedOutHosts_;
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
