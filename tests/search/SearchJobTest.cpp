#include "search/CityTable.h"
#include "search/ResultPage.h"
#include "search/SearchJob.h"
#include "search/SiteTemplates.h"
#include "tests/search/SearchTestSupport.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

namespace {

// Notes every site search the job asks for, and appends one Listing for each so
// that the order in which their Listings arrive shows too.
class RecordingSites : public SiteSearches {
public:
  void SearchSiteA(const std::string& keyword, const std::string& prefix,
                   const std::string& pathTemplate, int cityRow, ListingList& list) override {
    Record("A " + keyword + " " + prefix + pathTemplate + " row" + std::to_string(cityRow), list);
  }
  void SearchSiteB(const std::string& keyword, const std::string& prefix,
                   const std::string& pathTemplate, ListingList& list) override {
    Record("B " + keyword + " " + prefix + pathTemplate, list);
  }

  std::vector<std::string> calls;

private:
  void Record(const std::string& call, ListingList& list) {
    calls.push_back(call);
    Listing* listing = new Listing;
    listing->title = call;
    list.AppendListing(listing);
  }
};

const SearchChoices kSiteBSharedOnly = Choices(false, true, false, true);

std::vector<std::string> Keywords(const std::string& text) {
  RecordingSites sites;
  ListingList list;
  SearchKeywords(text, 7, kSiteBSharedOnly, sites, list);
  std::vector<std::string> keywords;
  const std::string before = "B ";
  const std::string after = " http://sh";
  for (const std::string& call : sites.calls)
    keywords.push_back(call.substr(before.size(), call.rfind(after) - before.size()));
  return keywords;
}

}  // namespace

TEST(SearchKeywords, SplitsAtEveryBackslashAndSkipsEmptyPieces) {
  EXPECT_EQ(Keywords("a\\b\\c"), (Rows{"a", "b", "c"}));
  EXPECT_EQ(Keywords("\\a\\\\b\\"), (Rows{"a", "b"}));
  EXPECT_EQ(Keywords("\\\\\\"), Rows{});
  EXPECT_EQ(Keywords(""), Rows{});
  EXPECT_EQ(Keywords("same\\same"), (Rows{"same", "same"}));
  EXPECT_EQ(Keywords(" a b \\B"), (Rows{" a b ", "B"}));
  // 0x81 0x5C is one GBK character; its second byte still cuts.
  EXPECT_EQ(Keywords("x\x81\\y"), (Rows{"x\x81", "y"}));
}

TEST(SearchKeywords, AsksTheSitesInTheFixedOrderPerKeyword) {
  RecordingSites sites;
  ListingList list;
  SearchKeywords("k1\\k2", 0, Choices(true, true, true, true), sites, list);
  const Rows expected = {
      std::string("A k1 http://bj") + kSiteAWholeFlatTemplate + " row0",
      std::string("A k1 http://bj") + kSiteASharedTemplate + " row0",
      std::string("B k1 http://bj") + kSiteBWholeFlatTemplate,
      std::string("B k1 http://bj") + kSiteBSharedTemplate,
      std::string("A k2 http://bj") + kSiteAWholeFlatTemplate + " row0",
      std::string("A k2 http://bj") + kSiteASharedTemplate + " row0",
      std::string("B k2 http://bj") + kSiteBWholeFlatTemplate,
      std::string("B k2 http://bj") + kSiteBSharedTemplate,
  };
  EXPECT_EQ(sites.calls, expected);
  // Appended in the order found, nothing sorted yet.
  Rows titles;
  for (Listing* l = list.Head(); l; l = l->next) titles.push_back(l->title);
  EXPECT_EQ(titles, expected);
}

TEST(SearchKeywords, SkipsWhatIsNotTicked) {
  struct Case {
    SearchChoices choices;
    Rows calls;
  };
  const std::string yt = "http://yantai";
  const Case cases[] = {
      {Choices(false, true, false, true), {"B k " + yt + kSiteBSharedTemplate}},
      {Choices(true, false, true, false), {"A k " + yt + kSiteAWholeFlatTemplate + " row11"}},
      {Choices(true, true, false, true),
       {"A k " + yt + kSiteASharedTemplate + " row11", "B k " + yt + kSiteBSharedTemplate}},
      {Choices(false, false, true, true), {}},
      {Choices(true, true, false, false), {}},
  };
  for (const Case& c : cases) {
    RecordingSites sites;
    ListingList list;
    SearchKeywords("k", 11, c.choices, sites, list);
    EXPECT_EQ(sites.calls, c.calls);
  }
}

TEST(SearchKeywords, ARowOutsideTheTableSearchesBeijing) {
  for (int row : {-1, 12, 1000}) {
    RecordingSites sites;
    ListingList list;
    SearchKeywords("k", row, Choices(true, true, true, false), sites, list);
    EXPECT_EQ(sites.calls, (Rows{std::string("A k http://bj") + kSiteAWholeFlatTemplate + " row0",
                                  std::string("B k http://bj") + kSiteBWholeFlatTemplate}));
  }
}

TEST(CityTable, RowsAreTheCitiesInTheirFixedOrder) {
  // 北京 广州 杭州 济南 聊城 南京 青岛 上海 深圳 天津 武汉 烟台
  const char* cities[kCityCount][2] = {
      {"\xB1\xB1\xBE\xA9", "bj"}, {"\xB9\xE3\xD6\xDD", "gz"}, {"\xBA\xBC\xD6\xDD", "hz"},
      {"\xBC\xC3\xC4\xCF", "jn"}, {"\xC1\xC4\xB3\xC7", "liaocheng"}, {"\xC4\xCF\xBE\xA9", "nj"},
      {"\xC7\xE0\xB5\xBA", "qd"}, {"\xC9\xCF\xBA\xA3", "sh"}, {"\xC9\xEE\xDB\xDA", "sz"},
      {"\xCC\xEC\xBD\xF2", "tj"}, {"\xCE\xE4\xBA\xBA", "wh"}, {"\xD1\xCC\xCC\xA8", "yantai"}};
  for (int row = 0; row < kCityCount; ++row) {
    EXPECT_STREQ(kCityTable[row].name, cities[row][0]);
    EXPECT_STREQ(kCityTable[row].code, cities[row][1]);
    EXPECT_EQ(std::string(kCityTable[row].prefix), std::string("http://") + cities[row][1]);
  }
  EXPECT_EQ(ValidCityRow(11), 11);
  EXPECT_EQ(ValidCityRow(12), 0);
  EXPECT_EQ(ValidCityRow(-1), 0);
}

TEST(PageListings, APageThatRunsOutOfMemoryAddsNothingAndTheNextGoesOn) {
  ListingList list;
  auto append = [](ListingList& found, const char* title) {
    Listing* listing = new Listing;
    listing->title = title;
    found.AppendListing(listing);
  };
  AppendPageListings(list, [&](ListingList& found) { append(found, "first page"); });
  AppendPageListings(list, [&](ListingList& found) {
    append(found, "half read");
    throw std::bad_alloc();
  });
  AppendPageListings(list, [&](ListingList& found) { append(found, "third page"); });
  EXPECT_EQ(FormatListings(list), (Rows{"first page||||", "third page||||"}));
}
