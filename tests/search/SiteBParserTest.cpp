#include "demo/sites/DensePages.h"
#include "search/SiteBParser.h"
#include "search/SiteTemplates.h"
#include "tests/search/SearchTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

const std::string kNegotiable = "\xC3\xE6\xD2\xE9";  // 面议
const std::string kMinutes = "\xB7\xD6\xD6\xD3";     // 分钟
const std::string kKeyword = "\xD0\xA1\xC7\xF8" "2";  // 小区2
const std::string kHost = std::string("http://bj.") + kSiteBDomain;

std::string Page(const std::string& listHtml) {
  return "<html><head></head><body><div id=\"header\">top</div>"
         "<div id=\"wrapper\"><div class=\"nav\"></div><div id=\"content\">"
         "<div class=\"list_border\"><div class=\"list\">" +
         listHtml + "</div></div></div></div></body></html>";
}

std::string Block(const std::string& anchor, const std::string& price, const std::string& time) {
  return "<dl class=\"list_noimg\"><dt class=\"clr\">" + anchor + "</dt>" +
         "<dd class=\"address\">road</dd><dd class=\"price\">" + price + "</dd>" +
         "<dd class=\"time\">" + time + "</dd></dl>";
}

std::string Anchor(const std::string& href, const std::string& title) {
  return "<a href=\"" + href + "\" target=\"_blank\">" + title + "</a>";
}

Rows Read(const std::string& pageText, bool textWhole = true) {
  ListingList list;
  ReadSiteBPage(pageText, kKeyword, "http://bj", list, textWhole);
  return FormatListings(list);
}

std::string Title(const std::string& titleHtml) {
  Rows rows = Read(Page(Block(Anchor("/1.htm", titleHtml), "1", "05-06")));
  return rows.size() == 1 ? rows[0].substr(0, rows[0].find('|')) : "<none>";
}

std::string Price(const std::string& priceHtml) {
  Rows rows = Read(Page(Block(Anchor("/1.htm", "t"), priceHtml, "05-06")));
  if (rows.size() != 1) return "<none>";
  std::size_t start = rows[0].find('|') + 1;
  return rows[0].substr(start, rows[0].find('|', start) - start);
}

}  // namespace

TEST(SiteBPage, ReadsEveryListBlockInDocumentOrder) {
  const std::string list =
      Block(Anchor("/fang1/1.htm", "A flat"), "1500<span>yuan</span>", "5 " + kMinutes) +
      "<dl class=\"list_img\"><dt class=\"clr\">" + Anchor("/img.htm", "with picture") + "</dt></dl>" +
      "<div class=\"list_noimg\"><dt class=\"clr\">" + Anchor("/div.htm", "not a dl") + "</dt></div>" +
      Block(Anchor("/fang1/2.htm", "Second"), "2000", "12-30") +
      "<DL class=\"LIST_NOIMG\"><dt class=\"clr\">" + Anchor("/3.htm", "Third") + "</dt></DL>";
  EXPECT_EQ(Read(Page(list)),
            (Rows{"Aflat|1500|5" + kMinutes + "|" + kHost + "/fang1/1.htm|" + kKeyword,
                  "Second|2000|12-30|" + kHost + "/fang1/2.htm|" + kKeyword,
                  "Third|" + kNegotiable + "||" + kHost + "/3.htm|" + kKeyword}));
}

// Markup as dense as honest pages get, with a district menu of 1,500 links or
// after a 2 MiB table of two-character cells, one a line: every advertisement,
// up to a thousand a page, the first in page order.
TEST(SiteBPage, ReadsEveryAdvertisementOfADensePageUpToAThousand) {
  for (const std::string& page : {DenseSiteBPage(60, 1500, DenseLayout::Lines),
                                  WithShortCellTable(DenseSiteBPage(60, 0, DenseLayout::Lines), 2 << 20)}) {
    Rows rows = Read(page);
    ASSERT_EQ(rows.size(), 60u);
    EXPECT_EQ(rows[0], "x|1|1|" + kHost + "/f/1.html|" + kKeyword);
    EXPECT_EQ(rows[59], "x|1|1|" + kHost + "/f/60.html|" + kKeyword);
  }
  Rows rows;
  for (int adverts : {1000, 1001}) {
    rows = Read(DenseSiteBPage(adverts, 0, DenseLayout::Compact));
    ASSERT_EQ(rows.size(), 1000u) << adverts;
    EXPECT_EQ(rows[999], "x|1|1|" + kHost + "/f/1000.html|" + kKeyword) << adverts;
  }
}

// Markup built to fill the tree cuts the page inside the second block, and
// more blocks than any page is read for cut it before: that block is not
// listed with cells it never had.
TEST(SiteBPage, ABlockThePageIsCutInsideIsLeftOut) {
  std::string pile, blocks;
  for (int i = 0; i < 100000; ++i) pile += "<u>";
  for (int i = 0; i < 8000; ++i) blocks += "<dl></dl>";
  for (const auto& [before, inside] : {std::pair<std::string, std::string>{"", pile}, {blocks, ""}}) {
    const std::string cut = before + "<dl class=\"list_noimg\"><dt class=\"clr\">" + Anchor("/2.htm", "b") +
                            inside + "</dt><dd class=\"price\">4486</dd><dd class=\"time\">05-06</dd></dl>";
    EXPECT_EQ(Read(Page(Block(Anchor("/1.htm", "a"), "1500", "05-06") + cut)),
              Rows{"a|1500|05-06|" + kHost + "/1.htm|" + kKeyword});
  }
  // A text that stops inside the second block's price: left out when the
  // text is known to be cut short, read as it stands when taken as whole.
  const std::string page = Page(Block(Anchor("/1.htm", "a"), "1500", "05-06") + Block(Anchor("/2.htm", "b"), "4486", "05-07"));
  const std::string shortText = page.substr(0, page.find("4486") + 2);
  EXPECT_EQ(Read(shortText, false), Rows{"a|1500|05-06|" + kHost + "/1.htm|" + kKeyword});
  EXPECT_EQ(Read(shortText).size(), 2u);
}

TEST(SiteBPage, TitleLosesSpacesAndOneMarkupSpan) {
  EXPECT_EQ(Title("two words  here"), "twowordshere");
  EXPECT_EQ(Title("<em>hot</em> Sunny flat"), "Sunnyflat");
  EXPECT_EQ(Title("Big <b>new</b> flat <i>x</i> end"), "Bigend");
  EXPECT_EQ(Title("a > b < c"), "a>b<c");
  EXPECT_EQ(Title("\xD0\xA1\xC7\xF8" "2 <font>\xD1\xCC</font>"), "\xD0\xA1\xC7\xF8" "2");
}

TEST(SiteBPage, PriceLosesOneMarkupSpanKeepsSpacesAndFallsBackToNegotiable) {
  EXPECT_EQ(Price("1500<span>yuan/month</span>"), "1500");
  EXPECT_EQ(Price("<b>1500 yuan</b>"), kNegotiable);
  EXPECT_EQ(Price("about <b>2000</b> yuan"), "about  yuan");
  EXPECT_EQ(Price("3200 yuan"), "3200 yuan");
  EXPECT_EQ(Price(""), kNegotiable);
  EXPECT_EQ(Price(" "), " ");
  EXPECT_EQ(Price("<img src=x>"), kNegotiable);
  EXPECT_EQ(Price(kNegotiable), kNegotiable);
  EXPECT_EQ(Price("9 > 8 <"), "9 > 8 <");
}

TEST(SiteBPage, BlocksWithoutTheAnchorPathAreSkipped) {
  const std::string list =
      "<dl class=\"list_noimg\"><dt>" + Anchor("/1.htm", "no clr") + "</dt></dl>"
      "<dl class=\"list_noimg\"><dt class=\"clr big\">" + Anchor("/2.htm", "two classes") + "</dt></dl>"
      "<dl class=\"list_noimg\"><dt class=\"clr\"><span>" + Anchor("/3.htm", "deep") + "</span></dt>"
      "<dt class=\"clr\">" + Anchor("/4.htm", "second dt") + "</dt></dl>"
      "<dl class=\"list_noimg\"><dd class=\"price\">1</dd></dl>" +
      Block("<a class=\"any\" href=\"/5.htm\">kept</a>", "1", "1");
  Rows rows = Read(Page(list));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].substr(0, 5), "kept|");
}

TEST(SiteBPage, MissingCellsLeaveTheirFieldsEmpty) {
  const std::string list =
      "<dl class=\"list_noimg\"><dt class=\"clr\">" + Anchor("/1.htm", "bare") + "</dt></dl>"
      "<dl class=\"list_noimg\"><dt class=\"clr\">" + Anchor("/2.htm", "wrong classes") + "</dt>"
      "<dd class=\"price big\">1</dd><dd class=\"times\">05-06</dd><dd class=\"PRICE\">700</dd></dl>"
      "<dl class=\"list_noimg\"><dt class=\"clr\">" + Anchor("/3.htm", "not own") + "</dt>"
      "<DD class=\"price\">1</DD><div><dd class=\"price\">2</dd><dd class=\"time\">3</dd></div>"
      "<dd class=\"time\"><i>04-01</i></dd></dl>";
  EXPECT_EQ(Read(Page(list)),
            (Rows{"bare|" + kNegotiable + "||" + kHost + "/1.htm|" + kKeyword,
                  "wrongclasses|700||" + kHost + "/2.htm|" + kKeyword,
                  "notown|" + kNegotiable + "|<i>04-01</i>|" + kHost + "/3.htm|" + kKeyword}));
}

TEST(SiteBPage, TheListMustSitAtExactlyFourLevelsBelowTheBody) {
  const std::string block = Block(Anchor("/1.htm", "t"), "1", "1");
  auto page = [&](const std::string& inner) { return "<html><body>" + inner + "</body></html>"; };
  EXPECT_EQ(Read(page("<div id=\"wrapper\"><div id=\"content\"><div class=\"list_border\">"
                      "<div class=\"list\">" + block + "</div></div></div></div>")).size(),
            1u);
  // Without the content level.
  EXPECT_EQ(Read(page("<div id=\"wrapper\"><div class=\"list_border\"><div class=\"list\">" + block +
                      "</div></div></div>")),
            Rows{});
  // Wrapped once more.
  EXPECT_EQ(Read(page("<div><div id=\"wrapper\"><div id=\"content\"><div class=\"list_border\">"
                      "<div class=\"list\">" + block + "</div></div></div></div></div>")),
            Rows{});
  // The first wrapper taken is the only one tried.
  EXPECT_EQ(Read(page("<div id=\"wrapper\"></div><div id=\"wrapper\"><div id=\"content\">"
                      "<div class=\"list_border\"><div class=\"list\">" + block +
                      "</div></div></div></div>")),
            Rows{});
  EXPECT_EQ(Read(""), Rows{});
  EXPECT_EQ(Read("<div id=\"wrapper\"></div>"), Rows{});
  EXPECT_EQ(Read(Page("")), Rows{});
}
