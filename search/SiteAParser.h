#pragma once

#include "search/Listing.h"

#include <string>

class ResultPageFetcher;

// Reads the advertisements of one SiteA result page (already in the local code
// page) into list, in document order. The city row picks the result table:
// Beijing's page uses another table class than every other city's. A text
// that is not whole lists no row that its end falls inside.
void ReadSiteAPage(const std::string& pageText, const std::string& keyword, int cityRow,
                   ListingList& list, bool textWhole = true);

// One SiteA request: builds the URL, fetches the page through pages and
// reads it. A page that cannot be fetched adds nothing.
void SearchSiteA(const std::string& keyword, const std::string& prefix,
                 const std::string& pathTemplate, int cityRow, ResultPageFetcher& pages, ListingList& list);
