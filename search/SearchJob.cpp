#include "search/SearchJob.h"

#include "search/CityTable.h"
#include "search/SiteAParser.h"
#include "search/SiteBParser.h"
#include "search/SiteTemplates.h"

namespace {

void SearchOneKeyword(const std::string& keyword, int cityRow, const SearchChoices& choices,
                      SiteSearches& sites, ListingList& list) {
  const std::string prefix = kCityTable[cityRow].prefix;
  if (choices.siteA) {
    if (choices.wholeFlat) sites.SearchSiteA(keyword, prefix, kSiteAWholeFlatTemplate, cityRow, list);
    if (choices.sharedFlat) sites.SearchSiteA(keyword, prefix, kSiteASharedTemplate, cityRow, list);
  }
  if (choices.siteB) {
    if (choices.wholeFlat) sites.SearchSiteB(keyword, prefix, kSiteBWholeFlatTemplate, list);
    if (choices.sharedFlat) sites.SearchSiteB(keyword, prefix, kSiteBSharedTemplate, list);
  }
}

}  // namespace

void NetworkSiteSearches::SearchSiteA(const std::string& keyword, const std::string& prefix,
                                      const std::string& pathTemplate, int cityRow, ListingList& list) {
  ::SearchSiteA(keyword, prefix, pathTemplate, cityRow, pages_, list);
}

void NetworkSiteSearches::SearchSiteB(const std::string& keyword, const std::string& prefix,
                                      const std::string& pathTemplate, ListingList& list) {
  ::SearchSiteB(keyword, prefix, pathTemplate, pages_, list);
}

void SearchKeywords(const std::string& keywordText, int cityRow, const SearchChoices& choices,
                    ListingList& list) {
  // Made afresh for each search: a host that timed out is asked again next time.
  NetworkSiteSearches sites;
  SearchKeywords(keywordText, cityRow, choices, sites, list);
}

void SearchKeywords(const std::string& keywordText, int cityRow, const SearchChoices& choices,
                    SiteSearches& sites, ListingList& list) {
  const int row = ValidCityRow(cityRow);
  // Byte by byte, not character by character: a GBK trail byte 0x5C cuts too.
  std::size_t start = 0;
  for (;;) {
    std::size_t cut = keywordText.find('\\', start);
    std::size_t end = cut == std::string::npos ? keywordText.size() : cut;
    if (end > start) SearchOneKeyword(keywordText.substr(start, end - start), row, choices, sites, list);
    if (cut == std::string::npos) break;
    start = cut + 1;
  }
}
