#include "demo/sites/CollidingNames.h"
#include "demo/sites/DensePages.h"
#include "search/SiteAParser.h"
#include "tests/search/SearchTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const std::string kNegotiable = "\xC3\xE6\xD2\xE9";  // 面议
const std::string kHours = "\xD0\xA1\xCA\xB1";       // 小时
const std::string kKeyword = "\xD0\xA1\xC7\xF8" "1";  // 小区1

std::string Page(const std::string& bodyHtml) {
  return "<html><head><title>x</title></head><body>" + bodyHtml + "</body></html>";
}

std::string Table(const std::string& tableClass, const std::string& rows) {
  return "<table class=\"" + tableClass + "\">" + rows + "</table>";
}

// One advertisement row: the title cell, then the given detail cells.
std::string Row(const std::string& title, const std::string& href, const std::string& cells) {
  return "<tr><td class=\"t\"><a class=\"t\" href=\"" + href + "\">" + title + "</a></td>" + cells +
         "</tr>";
}

std::string Cell(const std::string& inner) { return "<td class=\"tc\">" + inner + "</td>"; }

const std::string kTwoCells = Cell("<b>1800</b>yuan") + Cell("05-06");

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  while (times--) text += piece;
  return text;
}

Rows Read(const std::string& pageText, int cityRow, bool textWhole = true) {
  ListingList list;
  ReadSiteAPage(pageText, kKeyword, cityRow, list, textWhole);
  return FormatListings(list);
}

}  // namespace

TEST(SiteAPage, BeijingReadsOnlyTheImageTableAndOtherCitiesOnlyTheList) {
  const std::string imagePage = Page(Table("tbimg", Row("T", "http://a/1", kTwoCells)));
  const std::string listPage = Page(Table("tblist", Row("T", "http://a/1", kTwoCells)));
  const Rows one = {"T|1800|05-06|http://a/1|" + kKeyword};

  EXPECT_EQ(Read(imagePage, 0), one);
  EXPECT_EQ(Read(listPage, 0), Rows{});
  for (int row : {1, 4, 11}) {
    EXPECT_EQ(Read(listPage, row), one);
    EXPECT_EQ(Read(imagePage, row), Rows{});
  }
  // A row outside the table counts as Beijing.
  EXPECT_EQ(Read(imagePage, -1), one);
  EXPECT_EQ(Read(imagePage, 12), one);
}

TEST(SiteAPage, TableClassIsOneWholeValueInAnyCase) {
  EXPECT_EQ(Read(Page(Table("TbList", Row("T", "h", kTwoCells))), 3).size(), 1u);
  EXPECT_EQ(Read(Page(Table("tblist wide", Row("T", "h", kTwoCells))), 3), Rows{});
}

TEST(SiteAPage, TakesTheFirstMatchingTableAndTheRowsOfTablesInsideIt) {
  const std::string nested = Table("tblist", Row("Inner", "h2", kTwoCells));
  const std::string page = Page(
      "<table class=\"frame\"><tr><td>" +
      Table("tblist", Row("Outer", "h1", kTwoCells) +
                          "<tr><td>" + nested + "</td></tr>" + Row("Last", "h3", kTwoCells)) +
      "</td></tr></table>" + Table("tblist", Row("Second table", "h4", kTwoCells)));
  Rows rows = Read(page, 2);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].substr(0, 6), "Outer|");
  EXPECT_EQ(rows[1].substr(0, 6), "Inner|");
  EXPECT_EQ(rows[2].substr(0, 5), "Last|");
}

TEST(SiteAPage, RowsWithoutTheTitleLinkPathAreSkipped) {
  const std::string rows =
      "<tr><th>title</th><th>price</th><th>date</th></tr>"
      "<tr><td colspan=\"3\"><hr></td></tr>"
      "<tr><td class=\"t\"><a href=\"x\">no link class</a></td>" + kTwoCells + "</tr>"
      "<tr><td class=\"t\">no link</td><td class=\"t\"><a class=\"t\" href=\"y\">second cell</a></td>"
      "</tr>"
      "<tr><TD class=\"t\"><a class=\"t\" href=\"z\">capital cell</a></TD></tr>" +
      Row("Kept", "k", kTwoCells);
  Rows found = Read(Page(Table("tblist", rows)), 5);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].substr(0, 5), "Kept|");
  EXPECT_EQ(Read(Page(Table("tblist", "<tr><th>only a header</th></tr>")), 5), Rows{});
}

TEST(SiteAPage, PriceAndDateComeFromTwoOrThreeDetailCells) {
  const std::string rows =
      Row("two", "h", Cell("<b>1500</b>") + Cell("3 " + kHours)) +
      Row("three", "h", Cell("<b>2600</b>") + Cell("2room") + Cell("12-30")) +
      Row("four", "h", Cell("<b>1</b>") + Cell("a") + Cell("b") + Cell("05-06")) +
      Row("one", "h", Cell("<b>1</b>")) +
      Row("nested", "h", Cell("<b>7</b><table><tr>" + Cell("04-01") + "</tr></table>")) +
      Row("other cells", "h", "<td>x</td><td class=\"tc\"><b>900</b></td><td class=\"TC\">04-01</td>");
  EXPECT_EQ(Read(Page(Table("tblist", rows)), 1),
            (Rows{"two|1500|3" + kHours + "|h|" + kKeyword,
                  "three|2600|12-30|h|" + kKeyword,
                  "four|||h|" + kKeyword,
                  "one|||h|" + kKeyword,
                  "nested|||h|" + kKeyword,
                  "other cells|900|04-01|h|" + kKeyword}));
}

TEST(SiteAPage, EmptyBoldIsNegotiableAndMissingBoldLeavesThePriceEmpty) {
  const std::string rows =
      Row("empty b", "h", Cell("<b></b>yuan") + Cell("05-06")) +
      Row("no b", "h", Cell("1800") + Cell("05-06")) +
      Row("deep b", "h", Cell("<span><b>1800</b></span>") + Cell("05-06")) +
      Row("marked b", "h", Cell("<b><i>2000</i> </b>") + Cell(" 05 - 06 "));
  EXPECT_EQ(Read(Page(Table("tblist", rows)), 1),
            (Rows{"empty b|" + kNegotiable + "|05-06|h|" + kKeyword,
                  "no b||05-06|h|" + kKeyword,
                  "deep b||05-06|h|" + kKeyword,
                  "marked b|<i>2000</i> |05-06|h|" + kKeyword}));
}

TEST(SiteAPage, TitleKeepsItsMarkupAndLinkIsTheHrefAsGiven) {
  const std::string rows =
      "<tr><td class=\"t\"><a class=\"t\" href=\"/rel/1.shtml\" target=\"_blank\">"
      "<font color=red>\xD0\xA1\xC7\xF8" "1</font> 2 rooms&amp;more</a></td>" + kTwoCells + "</tr>"
      "<tr><td class=\"t\"><a class=\"t\">no href</a></td>" + kTwoCells + "</tr>";
  EXPECT_EQ(Read(Page(Table("tblist", rows)), 1),
            (Rows{"<font color=red>\xD0\xA1\xC7\xF8" "1</font> 2 rooms&amp;more|1800|05-06|/rel/1.shtml|" +
                      kKeyword,
                  "no href|1800|05-06||" + kKeyword}));
}

TEST(SiteAPage, PagesWithoutTheStructureGiveNothing) {
  EXPECT_EQ(Read("", 1), Rows{});
  EXPECT_EQ(Read("not a page at all < > <<", 1), Rows{});
  EXPECT_EQ(Read("<html><table class=\"tblist\">" + Row("T", "h", kTwoCells) + "</table></html>", 1),
            Rows{});
  EXPECT_EQ(Read(Page("<div>no results</div>"), 1), Rows{});
  // Ending inside the date cell: a text known to be cut short lists no half
  // row; a page taken as whole reads an unclosed cell as holding nothing.
  const std::string page = Page(Table("tblist", Row("T", "h", kTwoCells)));
  EXPECT_EQ(Read(page.substr(0, page.find("05-06") + 5), 1, false), Rows{});
  EXPECT_EQ(Read(page.substr(0, page.find("05-06") + 5), 1), Rows{"T|1800||h|" + kKeyword});
}

// Endings of up to 2 MiB that once crashed the reader or kept it busy for
// minutes, or that no reader needs whole. The advertisement before them
// still comes out whole.
TEST(SiteAPage, HostileEndingsLeaveTheAdvertisementBeforeThem) {
  const std::size_t n = 1 << 19;
  std::string attributes;
  for (int i = 0; attributes.size() < 4 * n; ++i) attributes += " a" + std::to_string(i);
  const std::string endings[] = {
      Repeat("<b>", n),
      Repeat("<i>", n / 2) + Repeat("</b>", n / 2),
      "<tr><td title=\"" + std::string(4 * n, 'x') + "\">",
      "<tr><td" + attributes + ">",
      "<!--" + Repeat("<b>x</i>", n / 2),
      "<script>" + Repeat("<b>x</i><!-- ", n / 4),
      // Names that would share one bucket of a table hashed without a seed.
      CollidingNamesMarkup(2000, 4 * n),
      // More rows than any page is read for: the rows past them are not built.
      Repeat("<tr></tr>", 8000) + Row("T2", "/ad/2", kTwoCells),
      // The page is cut inside this row: it is not listed with cells it never had.
      "<tr><td class=\"t\"><a class=\"t\" href=\"/ad/2\">T2</a></td>" + Repeat("<u>", n) + kTwoCells,
  };
  for (const std::string& ending : endings) {
    EXPECT_EQ(Read(Page(Table("tblist", Row("Ad title", "/ad/1", kTwoCells) + ending)), 1),
              Rows{"Ad title|1800|05-06|/ad/1|" + kKeyword});
  }
}

TEST(SiteAPage, TitleEndsWhereARowNestedInItBegins) {
  const std::size_t nested = 3000;
  const std::string page = Page(Table(
      "tblist", Row("Ad title", "/ad/1", kTwoCells) +
                    Repeat("<tr><td class=\"t\"><a class=\"t\" href=\"h\">t", nested) +
                    Repeat("</a></td></tr>", nested)));
  Rows rows = Read(page, 1);
  ASSERT_EQ(rows.size(), 1000u);
  EXPECT_EQ(rows[0], "Ad title|1800|05-06|/ad/1|" + kKeyword);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), "t|||h|" + kKeyword), 999);
}

// Markup as dense as honest pages get, with a district menu of 1,500 links or
// after a 2 MiB table of two-character cells, one a line: every advertisement,
// up to a thousand a page, the first in page order.
TEST(SiteAPage, ReadsEveryAdvertisementOfADensePageUpToAThousand) {
  for (const std::string& page : {DenseSiteAPage(60, 1500, DenseLayout::Lines),
                                  WithShortCellTable(DenseSiteAPage(60, 0, DenseLayout::Lines), 2 << 20)}) {
    Rows rows = Read(page, 0);
    ASSERT_EQ(rows.size(), 60u);
    EXPECT_EQ(rows[0], "x|1|1|/z/1.shtml|" + kKeyword);
    EXPECT_EQ(rows[59], "x|1|1|/z/60.shtml|" + kKeyword);
  }
  Rows rows;
  for (int adverts : {1000, 1001}) {
    rows = Read(DenseSiteAPage(adverts, 0, DenseLayout::Compact), 0);
    ASSERT_EQ(rows.size(), 1000u) << adverts;
    EXPECT_EQ(rows[999], "x|1|1|/z/1000.shtml|" + kKeyword) << adverts;
  }
}
