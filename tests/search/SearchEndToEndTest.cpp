// Whole searches through the real HTTP client against the fake sites on
// 127.0.0.1:80, which the test network maps every city host to.
#include "net/TextConversion.h"
#include "search/CityTable.h"
#include "search/ProgramTexts.h"
#include "search/ResultPage.h"
#include "search/SearchJob.h"
#include "search/SiteTemplates.h"
#include "search/SiteAParser.h"
#include "demo/sites/FakeSites.h"
#include "tests/net/ScriptedHttpServer.h"
#include "tests/search/SearchTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::string kCommunity1 = "\xD0\xA1\xC7\xF8" "1";  // 小区1

struct SiteKind {
  FakeSite site;
  FakeKind kind;
  SearchChoices choices;
};

const SearchChoices kEverything = Choices(true, true, true, true);

// In the job's request order.
const SiteKind kSiteKinds[] = {
    {FakeSite::SiteA, FakeKind::WholeFlat, Choices(true, false, true, false)},
    {FakeSite::SiteA, FakeKind::Shared, Choices(true, false, false, true)},
    {FakeSite::SiteB, FakeKind::WholeFlat, Choices(false, true, true, false)},
    {FakeSite::SiteB, FakeKind::Shared, Choices(false, true, false, true)},
};

// What the fake pages hold for one keyword (local code page), as Listing rows.
Rows Expected(FakeSite site, int row, FakeKind kind, const std::string& keyword) {
  Rows rows;
  for (const FakeListing& l :
       FakeListingsFor(site, kCityTable[row].code, kind, LocalToUtf8(keyword.c_str()))) {
    rows.push_back(Utf8ToLocal(l.title.c_str()) + "|" + Utf8ToLocal(l.price.c_str()) + "|" +
                   Utf8ToLocal(l.date.c_str()) + "|" + l.link + "|" + keyword);
  }
  return rows;
}

Rows ExpectedForAll(int row, const std::vector<std::string>& keywords) {
  Rows rows;
  for (const std::string& keyword : keywords)
    for (const SiteKind& sk : kSiteKinds) {
      Rows part = Expected(sk.site, row, sk.kind, keyword);
      rows.insert(rows.end(), part.begin(), part.end());
    }
  return rows;
}

// Notes the search's course; stops it at its first wait when asked to.
class NotedPace : public SearchPace {
public:
  explicit NotedPace(bool stopAtWait = false) : stopAtWait_(stopAtWait) {}
  bool KeepWaiting() override {
    ++waits;
    stopped = stopAtWait_;
    return !stopped;
  }
  void RequestsDone(int done, int planned) override {
    course.push_back(std::to_string(done) + "/" + std::to_string(planned));
  }
  bool StopRequested() override { return stopped; }

  int waits = 0;
  bool stopped = false;
  Rows course;

private:
  bool stopAtWait_;
};

Rows Search(const std::string& text, int row, const SearchChoices& choices, bool sorted = false,
            SearchPace* pace = nullptr) {
  ListingList list;
  SearchKeywords(text, row, choices, list, pace);
  if (sorted) SortListingsByDate(list.Head());
  return FormatListings(list);
}

const std::vector<std::string> kDefaultKeywords = {"\xD0\xA1\xC7\xF8" "1", "\xD0\xA1\xC7\xF8" "2",
                                                   "\xD0\xA1\xC7\xF8" "3"};

// Newest first, worked out apart from the sort: minutes, then hours, each
// ascending, then month-days descending.
std::tuple<int, int> Age(const std::string& row) {
  std::size_t start = row.find('|', row.find('|') + 1) + 1;
  std::string date = row.substr(start, row.find('|', start) - start);
  int number = std::atoi(date.c_str());
  if (date.find("\xB7\xD6\xD6\xD3") != std::string::npos) return {0, number};
  if (date.find("\xD0\xA1\xCA\xB1") != std::string::npos) return {1, number};
  int month = number;
  int day = std::atoi(date.c_str() + std::min(date.size(), std::size_t{3}));
  return {2, -(month * 100 + day)};
}

// SiteA's hosts never finish an answer: silent, or a body that trickles in
// for longer than a request may take. SiteB's answer a server error at once.
// Counts the connections per host.
class StuckSiteA {
public:
  explicit StuckSiteA(bool trickles) : trickles_(trickles) {}
  bool Start() { return server_.Start("127.0.0.1", 80, [this](TestConnection& c) { Answer(c); }); }
  std::map<std::string, int> Finish() {
    server_.Stop();
    return connections_;
  }

private:
  void Answer(TestConnection& connection) {
    std::string request;
    if (!connection.ReceiveRequest(request)) return;
    const std::size_t start = request.find("Host: ") + 6;
    const std::string host = request.substr(start, request.find("\r\n", start) - start);
    ++connections_[host];
    if (host.find(FakeSiteDomain(FakeSite::SiteB)) != std::string::npos) {
      connection.Send("HTTP/1.1 500 Internal Server Error\r\n\r\n");
    } else if (!trickles_) {
      connection.WaitForPeerClose(10000);
    } else if (connection.Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n")) {
      for (int i = 0; i < 200 && connection.Send("x") && !connection.WaitForPeerClose(50); ++i) {
      }
    }
  }

  bool trickles_;
  std::map<std::string, int> connections_;  // only the server's thread writes it before Stop
  TestServer server_;
};

class FakeSitesSearch : public ::testing::Test {
protected:
  void Serve(FakeSitesOptions options = {}) {
    sites_ = std::make_unique<FakeSites>(options);
    ASSERT_TRUE(sites_->Start("127.0.0.1", 80));
  }
  std::unique_ptr<FakeSites> sites_;
};

}  // namespace

TEST_F(FakeSitesSearch, EachSiteAndKindListsItsPageInDocumentOrder) {
  Serve();
  for (int row : {0, 3, 11}) {
    for (const SiteKind& sk : kSiteKinds) {
      Rows expected = Expected(sk.site, row, sk.kind, kCommunity1);
      ASSERT_GE(expected.size(), 2u);
      EXPECT_EQ(Search(kCommunity1, row, sk.choices), expected) << "row " << row;
    }
  }
}

TEST_F(FakeSitesSearch, RequestsReachTheCityHostsInTheJobsOrder) {
  Serve();
  NotedPace pace;
  Search(kCommunity1 + "\\\xCC\xEC", 4, kEverything, false, &pace);
  EXPECT_EQ(pace.course, (Rows{"0/8", "1/8", "2/8", "3/8", "4/8", "5/8", "6/8", "7/8", "8/8"}));
  const std::string a = std::string("liaocheng.") + FakeSiteDomain(FakeSite::SiteA) + " ";
  const std::string b = std::string("liaocheng.") + FakeSiteDomain(FakeSite::SiteB) + " ";
  const std::string k1 = "%E5%B0%8F%E5%8C%BA%31";
  const std::string sky = "%E5%A4%A9";
  EXPECT_EQ(sites_->Requests(),
            (Rows{a + "/nestari/0/?final=1&key=" + k1, a + "/hezu/0/?final=1&key=" + k1,
                  b + "/fang1/a1m1/_" + k1 + "/", b + "/fang3/a1/_" + k1 + "/",
                  a + "/nestari/0/?final=1&key=" + sky, a + "/hezu/0/?final=1&key=" + sky,
                  b + "/fang1/a1m1/_" + sky + "/", b + "/fang3/a1/_" + sky + "/"}));
}

TEST_F(FakeSitesSearch, TheDefaultSearchMergesAllPagesNewestFirst) {
  Serve();
  Rows found = Search(kTextDefaultKeywords, 7, kEverything);
  Rows expected = ExpectedForAll(7, kDefaultKeywords);
  EXPECT_EQ(found, expected);

  Rows sorted = Search(kTextDefaultKeywords, 7, kEverything, true);
  for (std::size_t i = 1; i < sorted.size(); ++i)
    EXPECT_LE(Age(sorted[i - 1]), Age(sorted[i])) << sorted[i - 1] << " / " << sorted[i];
  std::sort(sorted.begin(), sorted.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(sorted, expected);
  // All three kinds of date are there to be merged.
  std::vector<int> classes;
  for (const std::string& row : found) classes.push_back(std::get<0>(Age(row)));
  for (int c : {0, 1, 2}) EXPECT_NE(std::count(classes.begin(), classes.end(), c), 0) << c;
}

TEST_F(FakeSitesSearch, GzipAndChunkedPagesGiveTheSameListings) {
  const Rows expected = ExpectedForAll(1, kDefaultKeywords);
  for (auto [gzip, chunked] : {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
    FakeSitesOptions options;
    options.answer.gzip = gzip;
    options.answer.chunked = chunked;
    Serve(options);
    EXPECT_EQ(Search(kTextDefaultKeywords, 1, kEverything), expected) << gzip << chunked;
    sites_->Stop();
  }
}

TEST_F(FakeSitesSearch, ASiteThatIsDownAddsNothingAndTheJobGoesOn) {
  FakeSitesOptions options;
  options.siteADown = true;
  Serve(options);
  Rows siteBOnly;
  for (const std::string& keyword : kDefaultKeywords)
    for (FakeKind kind : {FakeKind::WholeFlat, FakeKind::Shared}) {
      Rows part = Expected(FakeSite::SiteB, 9, kind, keyword);
      siteBOnly.insert(siteBOnly.end(), part.begin(), part.end());
    }
  EXPECT_EQ(Search(kTextDefaultKeywords, 9, kEverything), siteBOnly);
  EXPECT_EQ(sites_->Requests().size(), 12u);
  std::string pageText = "as it was";
  bool whole = true;
  EXPECT_FALSE(
      ResultPageFetcher().Fetch(std::string(kCityTable[9].prefix) + kSiteAWholeFlatTemplate, pageText, whole));
  EXPECT_EQ(pageText, "as it was");
  EXPECT_TRUE(whole);
  sites_->Stop();

  options.siteADown = false;
  options.siteBDown = true;
  Serve(options);
  EXPECT_EQ(Search(kCommunity1, 9, Choices(true, true, true, false)),
            Expected(FakeSite::SiteA, 9, FakeKind::WholeFlat, kCommunity1));
}

TEST_F(FakeSitesSearch, NoServerOrAnUnknownKeywordGivesAnEmptyList) {
  EXPECT_EQ(Search(kTextDefaultKeywords, 2, kEverything), Rows{});
  Serve();
  EXPECT_EQ(Search("\xCC\xEC\\nowhere\\<b>", 2, kEverything), Rows{});
  EXPECT_EQ(sites_->Requests().size(), 12u);
}

TEST(StuckSiteSearch, AHostThatTimedOutIsNotAskedAgainInTheSameSearch) {
  // Waits long enough for a slow start under Wine; the server's error comes at once.
  const RequestTimeouts shortTimeouts{2000, 1000};
  const std::string siteA = std::string("sh.") + FakeSiteDomain(FakeSite::SiteA);
  const std::string siteB = std::string("sh.") + FakeSiteDomain(FakeSite::SiteB);
  for (bool trickles : {false, true}) {
    SCOPED_TRACE(trickles ? "trickles" : "silent");
    StuckSiteA stuck(trickles);
    ASSERT_TRUE(stuck.Start());
    NetworkSiteSearches sites(shortTimeouts);
    ListingList list;
    SearchKeywords(kTextDefaultKeywords, 7, kEverything, sites, list);
    EXPECT_EQ(list.Head(), nullptr);
    EXPECT_EQ(stuck.Finish(), (std::map<std::string, int>{{siteA, 1}, {siteB, 6}}));
  }
}

// A dead name server costs its time-out once per search, not once per request.
TEST(StuckSiteSearch, AHostWhoseLookupFailedIsNotLookedUpAgain) {
  SilentNameServer names;
  ASSERT_TRUE(names.Start());
  ResultPageFetcher pages(RequestTimeouts{5000, 5000});
  std::string text;
  bool whole = false;
  EXPECT_FALSE(pages.Fetch("http://dead.example/a", text, whole));
  const int queries = names.Queries();
  EXPECT_GE(queries, 1);
  EXPECT_FALSE(pages.Fetch("http://dead.example/b", text, whole));
  EXPECT_EQ(names.Queries(), queries);
}

// A SiteA page whose third advertisement has a long title, placed by padding
// so that it begins at offset start when start is given.
std::string ThreeAdvertPage(std::size_t start = 0) {
  std::string rows;
  for (int i = 1; i <= 3; ++i) {
    const std::string title = "T" + std::to_string(i) + (i == 3 ? std::string(4000, 'y') : "");
    rows += "<tr><td class=\"t\"><a class=\"t\" href=\"/ad/" + std::to_string(i) + "\">" + title +
            "</a></td><td class=\"tc\"><b>1800</b></td><td class=\"tc\">05-06</td></tr>";
  }
  const std::string head = "<html><body><p>";
  const std::string table = "</p><table class=\"tblist\">" + rows + "</table></body></html>";
  const std::size_t third = table.find("<tr><td class=\"t\"><a class=\"t\" href=\"/ad/3");
  return head + std::string(start > 0 ? start - head.size() - third : 0, 'x') + table;
}

// However the body comes short (a limit, a time-out, an early close, a broken
// stream, a zero byte), the advertisement it ends in is left out and the two
// before it are listed whole.
TEST(CutBodySearch, TheAdvertisementACutFallsInIsLeftOut) {
  const std::string page = ThreeAdvertPage();
  const std::string cut = page.substr(0, page.rfind("05-06"));
  std::string zeroed = page;
  zeroed[page.rfind("05-06")] = '\0';
  const std::string past1MiB = ThreeAdvertPage(0x100000 - 2000);
  const std::string past2MiB = ThreeAdvertPage(0x200000 - 2000);
  const std::string gzipCut = GzipText(cut);
  const std::size_t half = page.size() / 2;
  const std::string twoMembers = GzipText(page.substr(0, half)) + GzipText(page.substr(half));
  std::string corruptSecond = GzipText(cut) + GzipText(page.substr(cut.size()));
  corruptSecond[corruptSecond.size() - 6] ^= 0x55;  // the second member's check value
  const std::string ok = "HTTP/1.1 200 OK\r\n";
  auto length = [](const std::string& body) { return "Content-Length: " + std::to_string(body.size()) + "\r\n"; };
  const std::string gzip = "Content-Encoding: gzip\r\n";
  auto chunk = [](const std::string& data) {
    char size[16];
    std::snprintf(size, sizeof size, "%zx\r\n", data.size());
    return size + data + "\r\n";
  };
  struct Case {
    const char* name;
    std::string response;
    bool holdOpen;
    std::size_t listed;
  };
  const Case cases[] = {
      {"whole", ok + length(page) + "\r\n" + page, false, 3},
      {"gzip in two members", ok + gzip + length(twoMembers) + "\r\n" + twoMembers, false, 3},
      {"gzip with a corrupt second member", ok + gzip + length(corruptSecond) + "\r\n" + corruptSecond, false, 2},
      {"a size line of no digit", ok + "Transfer-Encoding: chunked\r\n\r\n" + chunk(cut) + "x\r\n\r\n", true, 2},
      {"closed before its length", ok + length(page) + "\r\n" + cut, false, 2},
      {"silent before its length", ok + length(page) + "\r\n" + cut, true, 2},
      {"closed before the last chunk", ok + "Transfer-Encoding: chunked\r\n\r\n" + chunk(cut), false, 2},
      {"longer than 1 MiB without a length", ok + "\r\n" + past1MiB, false, 2},
      {"longer than 2 MiB", ok + length(past2MiB) + "\r\n" + past2MiB, false, 2},
      {"gzip stream without its end", ok + gzip + length(gzipCut) + "\r\n" + gzipCut.substr(0, gzipCut.size() - 8),
       false, 2},
      {"gzip text past 2 MiB", ok + gzip + "\r\n" + GzipText(past2MiB), false, 2},
      {"zero byte", ok + length(zeroed) + "\r\n" + zeroed, false, 2},
      {"zero byte in gzip text", ok + gzip + "\r\n" + GzipText(zeroed), false, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedHttpServer server;
    server.Send(c.response);
    if (c.holdOpen) server.HoldOpen();
    ASSERT_TRUE(server.Start("127.0.0.1"));
    ResultPageFetcher pages(RequestTimeouts{5000, 1000});
    ListingList list;
    SearchSiteA("k", kCityTable[7].prefix, kSiteAWholeFlatTemplate, 7, pages, list);
    server.Finish();
    Rows rows = FormatListings(list);
    EXPECT_EQ(rows.size(), c.listed);
    if (rows.size() < 2) continue;
    EXPECT_EQ(rows[0], "T1|1800|05-06|/ad/1|k");
    EXPECT_EQ(rows[1], "T2|1800|05-06|/ad/2|k");
  }
}

// A site that answers late: the search's wait asks the pace, and a stop from
// there drops the request at once and sends no other.
TEST(PacedSearch, AStopAskedInAWaitEndsTheSearch) {
  ScriptedHttpServer server;
  server.Pause(1500).Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
  ASSERT_TRUE(server.Start("127.0.0.1"));
  NotedPace pace(true);
  ListingList list;
  SearchKeywords("a\\b", 7, kEverything, list, &pace);
  EXPECT_EQ(pace.waits, 1);
  EXPECT_EQ(pace.course, Rows{"0/8"});
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(server.Finish().connections, 1);
}
