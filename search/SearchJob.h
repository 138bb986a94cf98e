#pragma once

#include "search/Listing.h"

#include <string>

// The ticks of the dialog's site and rental-kind boxes.
struct SearchChoices {
  bool siteA = true;
  bool siteB = true;
  bool wholeFlat = true;
  bool sharedFlat = false;
};

// Every request of one search, without any window: sets the current city row
// (a row outside 0..11 counts as 0), splits keywordText at each '\' byte and
// runs the site searches for each non-empty piece in the fixed order SiteA whole,
// SiteA shared, SiteB whole, SiteB shared, skipping what is not ticked.
// Listings are appended to list in the order found; sorting is the caller's.
void SearchKeywords(const std::string& keywordText, int cityRow, const SearchChoices& choices,
                    ListingList& list);
