#pragma once

#include "search/Listing.h"

#include <string>

class ResultPageFetcher;

// Reads the advertisements of one SiteB result page (already in the local code
// page) into list, in document order; links are made absolute on the city's
// SiteB host, given by its URL prefix. A text that is not whole lists no
// block that its end falls inside.
void ReadSiteBPage(const std::string& pageText, const std::string& keyword,
                   const std::string& prefix, ListingList& list, bool textWhole = true);

// One SiteB request: builds the URL, fetches the page through pages and
// reads it. A page that cannot be fetched adds nothing.
void SearchSiteB(const std::string& keyword, const std::string& prefix,
                 const std::string& pathTemplate, ResultPageFetcher& pages, ListingList& list);
