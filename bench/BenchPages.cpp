#include "bench/BenchPages.h"

#include "demo/sites/FakeListings.h"
#include "demo/sites/ResultPages.h"

#include <vector>

namespace {

const char* const kKeywords[] = {"小区1", "小区2", "小区3", "阳光花园", "翠苑小区", "万科城市花园", "金色家园", "碧水蓝天"};

const char kHeadScripts[] =
    "<script type=\"text/javascript\">var ____json4fe = {catentry:[{dispid:'1',name:'房产'},"
    "{dispid:'8',name:'租房'}],locallist:[{dispid:'1',name:'城区'}],modules:'list'};"
    "if (window.top !== window.self && a < b) { document.write('<div>&nbsp;</div>'); }</script>\n"
    "<script src=\"/js/jquery.min.js\"></script>\n"
    "<link rel=\"stylesheet\" href=\"/css/list.css?v=20121106\">\n";
const char kBodyScripts[] =
    "<script>(function(){var s=document.createElement('script');s.src='/js/stat.js?r='+Math.random();"
    "document.getElementsByTagName('head')[0].appendChild(s);})();</script>\n"
    "<noscript><img src=\"/stat.gif?p=list&amp;c=1\" alt=\"\"></noscript>\n";

// Every advertisement the fake sites know for this site, in a fixed order,
// repeated until there are enough.
std::vector<FakeListing> Listings(FakeSite site, int count) {
  std::vector<FakeListing> all;
  for (const FakeCity& city : FakeCities())
    for (FakeKind kind : {FakeKind::WholeFlat, FakeKind::Shared})
      for (const char* keyword : kKeywords)
        for (FakeListing& l : FakeListingsFor(site, city.code, kind, keyword)) all.push_back(l);
  std::vector<FakeListing> listings;
  for (int i = 0; i < count; ++i) listings.push_back(all[static_cast<std::size_t>(i) % all.size()]);
  return listings;
}

void InsertBefore(std::string& page, const char* marker, const char* text) {
  std::size_t at = page.find(marker);
  if (at != std::string::npos) page.insert(at, text);
}

}  // namespace

std::string MakeResultPage(BenchSite site, int listingCount) {
  const FakeCity& beijing = FakeCities().front();
  std::string page =
      site == BenchSite::SiteA
          ? SiteAResultPage(beijing, FakeKind::WholeFlat, kKeywords[0], Listings(FakeSite::SiteA, listingCount))
          : SiteBResultPage(beijing, FakeKind::WholeFlat, kKeywords[0], Listings(FakeSite::SiteB, listingCount));
  InsertBefore(page, "</head>", kHeadScripts);
  InsertBefore(page, "</body>", kBodyScripts);
  return page;
}
