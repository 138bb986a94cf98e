#include "search/SearchJob.h"

#include "search/CityTable.h"
#include "search/SiteAParser.h"
#include "search/SiteBParser.h"
#include "search/SiteTemplates.h"

#include <vector>

namespace {

struct SiteRequest {
  Site site;
  const char* pathTemplate;
};

// The requests of one keyword, in the fixed order SiteA whole, SiteA shared,
// SiteB whole, SiteB shared, without what is not ticked.
std::vector<SiteRequest> RequestsPerKeyword(const SearchChoices& choices) {
  std::vector<SiteRequest> requests;
  if (choices.siteA && choices.wholeFlat) requests.push_back({Site::SiteA, kSiteAWholeFlatTemplate});
  if (choices.siteA && choices.sharedFlat) requests.push_back({Site::SiteA, kSiteASharedTemplate});
  if (choices.siteB && choices.wholeFlat) requests.push_back({Site::SiteB, kSiteBWholeFlatTemplate});
  if (choices.siteB && choices.sharedFlat) requests.push_back({Site::SiteB, kSiteBSharedTemplate});
  return requests;
}

// The non-empty pieces between '\' bytes, as typed. Byte by byte, not
// character by character: a GBK trail byte 0x5C cuts too.
std::vector<std::string> SplitKeywords(const std::string& text) {
  std::vector<std::string> keywords;
  std::size_t start = 0;
  for (;;) {
    const std::size_t cut = text.find('\\', start);
    const std::size_t end = cut == std::string::npos ? text.size() : cut;
    if (end > start) keywords.push_back(text.substr(start, end - start));
    if (cut == std::string::npos) return keywords;
    start = cut + 1;
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
                    ListingList& list, SearchPace* pace) {
  // Made afresh for each search: a host that timed out is asked again next time.
  NetworkSiteSearches sites(RequestTimeouts(), pace);
  SearchKeywords(keywordText, cityRow, choices, sites, list, pace);
}

void SearchKeywords(const std::string& keywordText, int cityRow, const SearchChoices& choices,
                    SiteSearches& sites, ListingList& list, SearchPace* pace) {
  PlainPace plain;
  SearchPace& course = pace ? *pace : plain;
  const int row = ValidCityRow(cityRow);
  const std::string prefix = kCityTable[row].prefix;
  const std::vector<std::string> keywords = SplitKeywords(keywordText);
  const std::vector<SiteRequest> requests = RequestsPerKeyword(choices);
  const int planned = static_cast<int>(keywords.size() * requests.size());
  int done = 0;
  course.RequestsDone(done, planned);
  for (const std::string& keyword : keywords) {
    for (const SiteRequest& request : requests) {
      if (request.site == Site::SiteA)
        sites.SearchSiteA(keyword, prefix, request.pathTemplate, row, list);
      else
        sites.SearchSiteB(keyword, prefix, request.pathTemplate, list);
      // A stop comes in a request's waits: that request was dropped.
      if (course.StopRequested()) return;
      course.RequestsDone(++done, planned);
    }
  }
}
