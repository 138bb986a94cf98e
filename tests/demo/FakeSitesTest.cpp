#include "net/TextConversion.h"
#include "search/CityTable.h"
#include "search/SiteAParser.h"
#include "search/SiteBParser.h"
#include "demo/sites/FakeRequest.h"
#include "demo/sites/ResultPages.h"
#include "tests/search/SearchTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kKeywords[] = {"小区1", "小区2", "小区3", "阳光花园"};

std::string Local(const std::string& utf8) { return Utf8ToLocal(utf8.c_str()); }

// The page as the client reads it, with an empty community.
Rows ReadBack(FakeSite site, int row, FakeKind kind, const std::string& keyword,
                                  const std::vector<FakeListing>& listings) {
  const FakeCity& city = *FindFakeCity(kCityTable[row].code);
  ListingList list;
  if (site == FakeSite::SiteA)
    ReadSiteAPage(Local(SiteAResultPage(city, kind, keyword, listings)), "", row, list);
  else
    ReadSiteBPage(Local(SiteBResultPage(city, kind, keyword, listings)), "", kCityTable[row].prefix, list);
  return FormatListings(list);
}

}  // namespace

TEST(FakeSitePages, ReadBackAsTheirListingsInEveryCity) {
  bool threeCells = false, twoCells = false, negotiable = false, markedPrice = false, badge = false;
  for (FakeSite site : {FakeSite::SiteA, FakeSite::SiteB}) {
    for (int row = 0; row < kCityCount; ++row) {
      for (FakeKind kind : {FakeKind::WholeFlat, FakeKind::Shared}) {
        for (const char* keyword : kKeywords) {
          std::vector<FakeListing> listings = FakeListingsFor(site, kCityTable[row].code, kind, keyword);
          ASSERT_GE(listings.size(), 2u);
          Rows expected;
          for (const FakeListing& l : listings) {
            expected.push_back(Local(l.title) + "|" + Local(l.price) + "|" + Local(l.date) + "|" + l.link + "|");
            (l.layout.empty() ? twoCells : threeCells) = true;
            negotiable |= l.price == "面议";
            markedPrice |= l.priceHtml.find('<') != std::string::npos && l.price != "面议";
            badge |= l.titleHtml.find('<') != std::string::npos;
          }
          EXPECT_EQ(ReadBack(site, row, kind, keyword, listings), expected) << kCityTable[row].code;
        }
      }
    }
  }
  EXPECT_TRUE(threeCells && twoCells && negotiable && markedPrice && badge);

  // A benchmark page of sixty reads back whole.
  for (FakeSite site : {FakeSite::SiteA, FakeSite::SiteB}) {
    std::vector<FakeListing> sixty = FakeListingsFor(site, "bj", FakeKind::Shared, "小区2", 60);
    ASSERT_EQ(sixty.size(), 60u);
    EXPECT_EQ(ReadBack(site, 0, FakeKind::Shared, "小区2", sixty).size(), 60u);
  }
}

TEST(FakeSitePages, UnknownKeywordsGetWellFormedEmptyPages) {
  EXPECT_TRUE(FakeListingsFor(FakeSite::SiteA, "bj", FakeKind::WholeFlat, "天", 60).empty());
  EXPECT_TRUE(FakeListingsFor(FakeSite::SiteB, "nowhere", FakeKind::WholeFlat, "小区1").empty());
  for (FakeSite site : {FakeSite::SiteA, FakeSite::SiteB}) {
    EXPECT_TRUE(ReadBack(site, 0, FakeKind::Shared, "<天>", {}).empty());
    EXPECT_TRUE(ReadBack(site, 5, FakeKind::WholeFlat, "x", {}).empty());
  }
  EXPECT_NE(SiteBResultPage(*FindFakeCity("bj"), FakeKind::Shared, "<天>", {}).find("&lt;天&gt;"),
            std::string::npos);
}

// A server that closes early leaves the client a page cut anywhere.
TEST(FakeSitePages, EveryCutOffPageReadsWithoutHarm) {
  for (FakeSite site : {FakeSite::SiteA, FakeSite::SiteB}) {
    for (int row : {0, 7}) {
      const FakeCity& city = *FindFakeCity(kCityTable[row].code);
      std::vector<FakeListing> listings = FakeListingsFor(site, city.code, FakeKind::WholeFlat, "小区1");
      const std::string page = Local(site == FakeSite::SiteA
                                         ? SiteAResultPage(city, FakeKind::WholeFlat, "小区1", listings)
                                         : SiteBResultPage(city, FakeKind::WholeFlat, "小区1", listings));
      for (std::size_t length = 0; length <= page.size(); length += 3) {
        ListingList list;
        if (site == FakeSite::SiteA) ReadSiteAPage(page.substr(0, length), "", row, list);
        else ReadSiteBPage(page.substr(0, length), "", kCityTable[row].prefix, list);
        ASSERT_LE(FormatListings(list).size(), listings.size()) << length;
      }
    }
  }
}

TEST(FakeRequest, TellsSiteCityKindAndKeywordFromHostAndPath) {
  const std::string a = FakeSiteDomain(FakeSite::SiteA);
  const std::string b = FakeSiteDomain(FakeSite::SiteB);
  FakeRequest request;
  ASSERT_TRUE(ReadFakeRequest("GET /hezu/0/?final=1&key=%E5%A4%A9%20x HTTP/1.1\r\nHost: SH." + a +
                                  "\r\nAccept: */*\r\n\r\n",
                              request));
  EXPECT_EQ(request.site, FakeSite::SiteA);
  EXPECT_EQ(request.cityCode, "sh");
  EXPECT_TRUE(request.resultPage);
  EXPECT_EQ(request.kind, FakeKind::Shared);
  EXPECT_EQ(request.keyword, "天 x");

  FakeRequest siteB;
  ASSERT_TRUE(ReadFakeRequest("GET /fang1/a1m1/_%61%62/ HTTP/1.1\r\nhost:yantai." + b + ":80\r\n\r\n", siteB));
  EXPECT_EQ(siteB.site, FakeSite::SiteB);
  EXPECT_EQ(siteB.cityCode, "yantai");
  EXPECT_EQ(siteB.kind, FakeKind::WholeFlat);
  EXPECT_EQ(siteB.keyword, "ab");

  FakeRequest other;
  ASSERT_TRUE(ReadFakeRequest("GET /fang1/123x.htm HTTP/1.1\r\nHost: bj." + b + "\r\n\r\n", other));
  EXPECT_FALSE(other.resultPage);

  FakeRequest none;
  EXPECT_FALSE(ReadFakeRequest("GET / HTTP/1.1\r\nHost: xx." + a + "\r\n\r\n", none));
  EXPECT_FALSE(ReadFakeRequest("GET / HTTP/1.1\r\nHost: bj.elsewhere.example\r\n\r\n", none));
  EXPECT_FALSE(ReadFakeRequest("GET / HTTP/1.1\r\n\r\n", none));
  EXPECT_FALSE(ReadFakeRequest("garbage", none));
}

TEST(FakeRequest, PercentDecodingLeavesBrokenEscapesAlone) {
  EXPECT_EQ(PercentDecode("%E5%a4%A9"), "天");
  EXPECT_EQ(PercentDecode("100%"), "100%");
  EXPECT_EQ(PercentDecode("%4"), "%4");
  EXPECT_EQ(PercentDecode("%zz%41"), "%zzA");
  EXPECT_EQ(PercentDecode("a+b"), "a+b");
}
