#include "search/Listing.h"
#include "tests/search/SearchTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string kMinutes = "\xB7\xD6\xD6\xD3";  // 分钟
const std::string kHours = "\xD0\xA1\xCA\xB1";    // 小时

// Appends one Listing per (title, date) in order.
void Fill(ListingList& list, const std::vector<std::pair<std::string, std::string>>& rows) {
  for (const auto& row : rows) {
    Listing* listing = new Listing;
    listing->title = row.first;
    listing->date = row.second;
    list.AppendListing(listing);
  }
}

std::vector<std::string> Titles(const ListingList& list) {
  std::vector<std::string> titles;
  for (Listing* l = list.Head(); l; l = l->next) titles.push_back(l->title);
  return titles;
}

std::vector<std::string> SortedTitles(const std::vector<std::pair<std::string, std::string>>& rows) {
  ListingList list;
  Fill(list, rows);
  EXPECT_EQ(SortListingsByDate(list.Head()), 1);
  return Titles(list);
}

}  // namespace

TEST(ListingList, AppendsInOrderAndClearsToEmpty) {
  ListingList list;
  EXPECT_EQ(list.Head(), nullptr);
  Listing* stale = new Listing;
  stale->next = stale;  // whatever it held, the appended Listing ends the chain
  EXPECT_EQ(list.AppendListing(new Listing), 1);
  EXPECT_EQ(list.AppendListing(stale), 1);
  EXPECT_EQ(list.Head()->next, stale);
  EXPECT_EQ(stale->next, nullptr);

  EXPECT_EQ(list.ClearListings(), 1);
  EXPECT_EQ(list.Head(), nullptr);
  EXPECT_EQ(list.ClearListings(), 1);
  Fill(list, {{"again", ""}});
  EXPECT_EQ(Titles(list), Rows{"again"});
}

TEST(ListingSort, EqualDaysLandInTheOrderTheExchangesLeave) {
  EXPECT_EQ(SortListingsByDate(nullptr), 1);
  EXPECT_EQ(SortedTitles({{"only", "05-06"}}), Rows{"only"});
  EXPECT_EQ(SortedTitles({{"first", "05-06"}, {"second", "05-06"}, {"third", "05-07"}}),
            (Rows{"third", "second", "first"}));
}

TEST(ListingSort, ExchangesEveryFieldButKeepsTheChain) {
  ListingList list;
  Listing* older = new Listing{"t1", "p1", "01-01", "l1", "c1"};
  Listing* newer = new Listing{"t2", "p2", "3" + kMinutes, "l2", "c2"};
  list.AppendListing(older);
  list.AppendListing(newer);
  SortListingsByDate(list.Head());
  EXPECT_EQ(list.Head(), older);
  EXPECT_EQ(older->next, newer);
  EXPECT_EQ(older->title + older->price + older->link + older->community, "t2p2l2c2");
  EXPECT_EQ(newer->title + newer->price + newer->date + newer->link + newer->community,
            "t1p101-01l1c1");
}

TEST(ListingSort, MinutesThenHoursThenDaysThenUnreadable) {
  EXPECT_EQ(SortedTitles({{"empty", ""},
                          {"day", "12-30"},
                          {"1h", "1" + kHours},
                          {"90m", "90" + kMinutes},
                          {"new year", "01-02"},
                          {"5h", "5" + kHours},
                          {"5m", "5" + kMinutes},
                          {"12m", "12" + kMinutes}}),
            (Rows{"5m", "12m", "90m", "1h", "5h", "day", "new year", "empty"}));
}

TEST(CompareListingDates, ClassThenNumberOrMonthAndDayAndNeverEqual) {
  const std::string m = kMinutes, h = kHours;
  const struct {
    std::string a, b;
    int result;
  } cases[] = {
      // The class decides first; with both markers minutes win, and the number is the leading one.
      {"1" + h, "30" + m, -1}, {"90" + m, "1" + h, 1}, {"12-31", "23" + h, -1},
      {"1" + h + "20" + m, "2" + m, 1}, {"1" + h + "20" + m, "0" + m, -1},
      {"05-06", "05-06", 1}, {"7" + m, "7" + m, 1}, {"", "", 1},
      // Month and day as their leading digits read: a four-digit year is month 20, day 0,
      // and no digits at all month 0, day 0.
      {"01-02", "12-30", -1}, {"12-30", "01-02", 1}, {"05-06", "05-07", -1}, {"2023-05-06", "20-01", -1},
      {"2023-05-06", "19-31", 1}, {" 3-4", "03-03", 1}, {"", "01-01", -1}, {"yesterday", "00-01", -1},
      // An unreadable number counts as 0; one too large for an int as the largest, so the oldest.
      {m + "5", "0" + m, 1}, {"1" + m, m + "5", -1}, {h, h, 1},
      {"99999999999999999999" + h, "2147483647" + h, 1}, {"99999999999999999999" + h, "3" + h, -1}};
  for (const auto& c : cases) EXPECT_EQ(CompareListingDates(c.a, c.b), c.result) << c.a << " / " << c.b;
}

// The sort reads each date once; it must still make exactly the exchanges of
// comparing the texts pair by pair, equal keys and unreadable dates included.
TEST(ListingSort, MatchesThePairwiseExchangeOfTheDateTexts) {
  const std::vector<std::string> dates = {
      "05-06", "05-06", "05-07", "12-30", "01-02", "2012-05-06", "", "abc", " 3-4",
      "5" + kMinutes, "12" + kMinutes, "90" + kMinutes, "x" + kMinutes, "1" + kHours + "20" + kMinutes,
      "1" + kHours, "3" + kHours, "3" + kHours, "-2" + kHours, "99999999999" + kHours};
  std::uint32_t seed = 12345;
  for (int round = 0; round < 200; ++round) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < 12; ++i) {
      seed = seed * 1103515245u + 12345u;
      rows.emplace_back(std::to_string(i), dates[(seed >> 16) % dates.size()]);
    }
    std::vector<std::pair<std::string, std::string>> expected = rows;
    for (std::size_t p = 0; p < expected.size(); ++p)
      for (std::size_t q = p + 1; q < expected.size(); ++q)
        if (CompareListingDates(expected[p].second, expected[q].second) < 0) std::swap(expected[p], expected[q]);
    Rows expectedTitles;
    for (const auto& row : expected) expectedTitles.push_back(row.first);
    ASSERT_EQ(SortedTitles(rows), expectedTitles) << "round " << round;
  }
}
