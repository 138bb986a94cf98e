#pragma once

#include "search/Listing.h"
#include "search/ResultPage.h"
#include "search/SearchPace.h"

#include <string>

// The ticks of the dialog's site and rental-kind boxes.
struct SearchChoices {
  bool siteA = true;
  bool siteB = true;
  bool wholeFlat = true;
  bool sharedFlat = false;
};

// The two site searches as the job calls them: keyword as typed, the city's
// URL prefix and the path template of the site and kind. SearchKeywords uses
// NetworkSiteSearches; tests put their own in.
class SiteSearches {
public:
  virtual ~SiteSearches() = default;
  virtual void SearchSiteA(const std::string& keyword, const std::string& prefix,
                           const std::string& pathTemplate, int cityRow, ListingList& list) = 0;
  virtual void SearchSiteB(const std::string& keyword, const std::string& prefix,
                           const std::string& pathTemplate, ListingList& list) = 0;
};

// The site searches that fetch real pages. One search's: a host that timed
// out is skipped for the rest of it. hook, if any, is asked in the waits.
class NetworkSiteSearches : public SiteSearches {
public:
  explicit NetworkSiteSearches(RequestTimeouts timeouts = RequestTimeouts(), WaitHook* hook = nullptr)
      : pages_(timeouts, hook) {}
  void SearchSiteA(const std::string& keyword, const std::string& prefix,
                   const std::string& pathTemplate, int cityRow, ListingList& list) override;
  void SearchSiteB(const std::string& keyword, const std::string& prefix,
                   const std::string& pathTemplate, ListingList& list) override;

private:
  ResultPageFetcher pages_;
};

// Every request of one search, without any window: sets the current city row
// (a row outside 0..11 counts as 0), splits keywordText at each '\' byte and
// runs the site searches for each non-empty piece in the fixed order SiteA whole,
// SiteA shared, SiteB whole, SiteB shared, skipping what is not ticked.
// Listings are appended to list in the order found; sorting is the caller's.
// pace, if any, hears of every request done and may stop the search: the
// request in progress is dropped and no later one is sent.
void SearchKeywords(const std::string& keywordText, int cityRow, const SearchChoices& choices,
                    ListingList& list, SearchPace* pace = nullptr);
void SearchKeywords(const std::string& keywordText, int cityRow, const SearchChoices& choices,
                    SiteSearches& sites, ListingList& list, SearchPace* pace = nullptr);
