#include "search/ListingCopyText.h"
#include "search/ListingOrder.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

const std::string kMinutes = "\xB7\xD6\xD6\xD3";  // 分钟
const std::string kHours = "\xD0\xA1\xCA\xB1";    // 小时
// 标题	小区	价格	日期	链接
const std::string kHeading = "\xB1\xEA\xCC\xE2\t\xD0\xA1\xC7\xF8\t\xBC\xDB\xB8\xF1\t\xC8\xD5\xC6\xDA\t\xC1\xB4\xBD\xD3\r\n";

// Rows whose column holds the values given, each named by its position; the
// order they come out in, as those names.
std::string Ordered(ListingColumn column, bool descending, const std::vector<std::string>& values) {
  std::deque<Listing> listings;
  std::vector<const Listing*> rows;
  for (const std::string& value : values) {
    Listing& listing = listings.emplace_back();
    listing.link = std::to_string(rows.size());
    std::string* fields[] = {&listing.title, &listing.community, &listing.price, &listing.date};
    *fields[static_cast<int>(column)] = value;
    rows.push_back(&listing);
  }
  OrderListings(rows, column, descending);
  std::string names;
  for (const Listing* row : rows) names += row->link;
  return names;
}

TEST(ListingOrder, EachColumnBothWaysWithTiesInTheirPreviousOrder) {
  const std::vector<std::string> prices = {
      "1500\xD4\xAA/\xD4\xC2",  // 1500元/月
      " \r\n\t800\r\n ", "\xC3\xE6\xD2\xE9" /* 面议 */, "", "1200.5", "1200.50", "99", "abc 100", ".5x"};
  const std::vector<std::string> titles = {
      "\xCD\xFB\xBE\xA9" /* 望京 */, "abc", "\xB0\xA2" /* 阿 */, "Zoo", "\xD6\xD0\xB9\xD8\xB4\xE5" /* 中关村 */,
      "abc", "\xCD\xFB"};
  const std::vector<std::string> communities = {"B", "\xB1\xB1\xBE\xA9" /* 北京 */, "A", "B"};
  const std::vector<std::string> dates = {"05-06", "3" + kMinutes, "05-06", "2" + kHours, "12-30", "", "90" + kMinutes};
  const struct {
    ListingColumn column;
    const std::vector<std::string>& values;
    const char* ascending;
    const char* descending;
  } cases[] = {
      // Texts without a leading number last both ways; 1200.5 and 1200.50 are equal.
      {ListingColumn::Price, prices, "861450237", "045168237"},
      // Bytes: ASCII before GBK, and GBK's lead bytes in pinyin order; a prefix first.
      {ListingColumn::Title, titles, "3152604", "4062153"},
      {ListingColumn::Community, communities, "2031", "1032"},
      // Oldest first: no date, days, hours, then minutes, the fewest last.
      {ListingColumn::Date, dates, "5024361", "1634025"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.column));
    EXPECT_EQ(Ordered(c.column, false, c.values), c.ascending);
    EXPECT_EQ(Ordered(c.column, true, c.values), c.descending);
  }
  EXPECT_EQ(Ordered(ListingColumn::Price, true, {}), "");
}

TEST(ListingCopyText, FieldsTabSeparatedWithBreaksMadeOneBlankAndLinesEndingInCrLf) {
  Listing first{"\t\xB3\xAF\xD1\xF4\r\n\r\n  room\n" /* 朝阳 */, "1500\n\t", "05-06", "http://a/1\r", "A\\B"};
  Listing second{"", "", "", "", ""};
  const std::string firstLine = " \xB3\xAF\xD1\xF4   room \tA\\B\t1500 \t05-06\thttp://a/1 \r\n";
  EXPECT_EQ(CopyRowLine(first), firstLine);
  EXPECT_EQ(CopyField("a\r\n\tb\n\nc"), "a b c");
  EXPECT_EQ(CopyRowsText({&second, &first}), kHeading + "\t\t\t\t\r\n" + firstLine);
  EXPECT_EQ(CopyRowsText({}), kHeading);
}

}  // namespace
