#include "tests/page/PageTestSupport.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

std::vector<std::string> InnerTexts(ParsedPage& page, const NodeList& nodes) {
  std::vector<std::string> texts;
  for (NodeHandle node : nodes) texts.push_back(page.Inner(node));
  return texts;
}

}  // namespace

TEST(FindBody, MatchesOnlyTheLowerCaseElement) {
  ParsedPage lower("<html><head></head><body><p>x</p></body></html>");
  NodeHandle body;
  ASSERT_TRUE(lower.doc.FindBody(body));
  EXPECT_EQ(body->tagName(), "body");

  // Neither a capital tag nor a text that reads "body".
  for (const char* html : {"<HTML><BODY><p>x</p></BODY></HTML>", "<html>body<div>body</div></html>"}) {
    ParsedPage page(html);
    NodeHandle untouched;
    EXPECT_FALSE(page.doc.FindBody(untouched)) << html;
    EXPECT_EQ(untouched.node, nullptr);
  }
}

TEST(TagTests, FindChildIsExactWhileCollectChildrenIgnoresCase) {
  ParsedPage page(
      "<body><table><tr id=r>"
      "<TD class=tc>A</TD><td class=TC>b</td><td class=tc>c</td><td class=x>d</td>"
      "</tr></table></body>");
  NodeHandle row;
  ASSERT_TRUE(page.doc.FindDescendant(page.Body(), "tr", row));

  NodeHandle first;
  ASSERT_TRUE(page.doc.FindChild(row, "td", first));
  EXPECT_EQ(page.Inner(first), "b");

  NodeList cells;
  EXPECT_TRUE(page.doc.CollectChildrenWithAttr(row, "td", "class", "tc", cells));
  EXPECT_EQ(InnerTexts(page, cells), (std::vector<std::string>{"A", "b", "c"}));
}

TEST(AttributeTest, ComparesTheWholeValueIgnoringAsciiCase) {
  ParsedPage page(
      "<body><dl>"
      "<dd class=\"price big\">1</dd><dd class='PRICE'>2</dd><dd>3</dd>"
      "</dl></body>");
  NodeHandle list;
  ASSERT_TRUE(page.doc.FindChild(page.Body(), "dl", list));

  NodeHandle price;
  ASSERT_TRUE(page.doc.FindChildWithAttr(list, "dd", "class", "price", price));
  EXPECT_EQ(page.Inner(price), "2");

  NodeHandle whole;
  ASSERT_TRUE(page.doc.FindChildWithAttr(list, "dd", "class", "price big", whole));
  EXPECT_EQ(page.Inner(whole), "1");

  // An empty wanted value matches an element without the attribute.
  NodeHandle bare;
  ASSERT_TRUE(page.doc.FindChildWithAttr(list, "dd", "id", "", bare));
  EXPECT_EQ(page.Inner(bare), "1");
}

TEST(AttributeTest, LaterTestsOnTheSameNodeSeeTheSameAttributes) {
  ParsedPage page("<body><a class=t id=x href='/1'>a</a><a class=t>b</a></body>");
  const std::size_t left = page.doc.TreeBytesLeft();
  NodeHandle first;
  ASSERT_TRUE(page.doc.FindChildWithAttr(page.Body(), "a", "class", "T", first));
  // The map kept for the node costs the tree's budget its few hundred bytes.
  EXPECT_LT(page.doc.TreeBytesLeft(), left);
  EXPECT_GT(page.doc.TreeBytesLeft() + 1000, left);
  NodeHandle again;
  ASSERT_TRUE(page.doc.FindChildWithAttr(page.Body(), "a", "id", "x", again));
  EXPECT_EQ(again, first);
  EXPECT_FALSE(page.doc.FindChildWithAttr(page.Body(), "a", "id", "y", again));
  EXPECT_EQ(page.Attr(first, "href"), "/1");
  EXPECT_EQ(first->attributes().size(), 3u);
  // A node without attributes keeps passing only for the empty value.
  NodeList bare;
  page.doc.CollectChildrenWithAttr(page.Body(), "a", "id", "", bare);
  page.doc.CollectChildrenWithAttr(page.Body(), "a", "id", "", bare);
  ASSERT_EQ(bare.size(), 2u);
  EXPECT_EQ(page.Inner(bare[0]), "b");
}

TEST(AttributeTest, GbkValuesMustMatchByteForByte) {
  // 0xC1 0xD0 and 0xE1 0xF0 differ only by the bit ASCII folding uses.
  ParsedPage page("<body><p class=\"\xC1\xD0\">x</p><p class=AZ>y</p></body>");
  NodeHandle found;
  EXPECT_TRUE(page.doc.FindChildWithAttr(page.Body(), "p", "class", "az", found));
  EXPECT_FALSE(page.doc.FindChildWithAttr(page.Body(), "p", "class", "\xE1\xF0", found));
  EXPECT_TRUE(page.doc.FindChildWithAttr(page.Body(), "p", "class", "\xC1\xD0", found));
}

TEST(Searches, AStartWithoutChildrenOrANullStartFindsNothing) {
  ParsedPage page("<body><br><p></p></body>");
  NodeHandle empty;
  ASSERT_TRUE(page.doc.FindChild(page.Body(), "p", empty));
  for (NodeHandle start : {empty, NodeHandle()}) {
    NodeHandle out;
    NodeList list;
    EXPECT_FALSE(page.doc.FindChild(start, "p", out));
    EXPECT_FALSE(page.doc.FindDescendant(start, "p", out));
    EXPECT_FALSE(page.doc.FindChildWithAttr(start, "p", "class", "", out));
    EXPECT_FALSE(page.doc.FindDescendantWithAttr(start, "p", "class", "", out));
    EXPECT_EQ(out.node, nullptr);
    EXPECT_TRUE(page.doc.CollectChildrenWithAttr(start, "p", "class", "", list));
    EXPECT_TRUE(page.doc.CollectDescendants(start, "p", list));
    EXPECT_TRUE(list.empty());
  }
}

TEST(Descendants, FirstMatchInDocumentOrderEvenWhenNested) {
  ParsedPage page(
      "<body><table class=outer><tr><td>"
      "<table class=TBLIST><tr><td>inner</td></tr></table>"
      "</td></tr></table>"
      "<table class=tblist><tr><td>later</td></tr></table></body>");
  NodeHandle table;
  ASSERT_TRUE(page.doc.FindDescendantWithAttr(page.Body(), "table", "class", "tblist", table));
  EXPECT_EQ(page.Attr(table, "class"), "TBLIST");
}

TEST(Descendants, StayInsideTheStartSubtree) {
  ParsedPage page(
      "<body><div id=a><p>1</p><div><p>2</p></div></div>"
      "<div id=b><p>3</p></div></body>");
  NodeHandle a;
  ASSERT_TRUE(page.doc.FindChildWithAttr(page.Body(), "div", "id", "a", a));
  NodeList paragraphs;
  page.doc.CollectDescendants(a, "p", paragraphs);
  EXPECT_EQ(InnerTexts(page, paragraphs), (std::vector<std::string>{"1", "2"}));

  NodeHandle b;
  ASSERT_TRUE(page.doc.FindChildWithAttr(page.Body(), "div", "id", "b", b));
  NodeHandle none;
  EXPECT_FALSE(page.doc.FindDescendant(b, "div", none));
}

TEST(Descendants, NestedRowsFollowTheRowThatHoldsThem) {
  ParsedPage page(
      "<body><table>"
      "<tr><td>r1</td></tr>"
      "<tr><td><table><tr><td>n1</td></tr><tr><td>n2</td></tr></table></td></tr>"
      "<tr><td>r3</td></tr>"
      "</table></body>");
  NodeHandle table;
  ASSERT_TRUE(page.doc.FindChild(page.Body(), "table", table));
  NodeList rows;
  page.doc.CollectDescendants(table, "tr", rows);
  ASSERT_EQ(rows.size(), 5u);
  std::vector<std::string> firstCells;
  for (NodeHandle row : rows) {
    NodeHandle cell;
    page.doc.FindDescendant(row, "td", cell);
    firstCells.push_back(page.Inner(cell));
  }
  EXPECT_EQ(firstCells[0], "r1");
  EXPECT_EQ(firstCells[2], "n1");
  EXPECT_EQ(firstCells[3], "n2");
  EXPECT_EQ(firstCells[4], "r3");
}

TEST(Descendants, NonMatchingAttributeIsStillDescendedInto) {
  ParsedPage page("<body><div class=x><div class=y>in</div></div></body>");
  NodeHandle y;
  ASSERT_TRUE(page.doc.FindDescendantWithAttr(page.Body(), "div", "class", "y", y));
  EXPECT_EQ(page.Inner(y), "in");
}

TEST(InnerHtml, IsTheRawSourceBetweenTheTags) {
  ParsedPage page("<body><a href=\"/x\">  Flat <b>two</b> &amp;\n rooms </a><i></i><p>open</body>");
  NodeHandle a, i, p;
  ASSERT_TRUE(page.doc.FindChild(page.Body(), "a", a));
  EXPECT_EQ(page.Inner(a), "  Flat <b>two</b> &amp;\n rooms ");
  ASSERT_TRUE(page.doc.FindChild(page.Body(), "i", i));
  EXPECT_EQ(page.Inner(i), "");
  // An element without a closing tag has nothing inside.
  ASSERT_TRUE(page.doc.FindChild(page.Body(), "p", p));
  EXPECT_EQ(page.Inner(p), "");
}

// Texts get no node, yet the raw source keeps them; a comment, which covers
// no more than its own text, has nothing inside.
TEST(InnerHtml, TextsGetNoNodeAndCommentsAndForeignTextsGiveEmptyText) {
  ParsedPage page("<body>plain text<!-- note --><a>link</a> more</body>");
  NodeHandle comment(page.Body().node->first_child);
  ASSERT_TRUE(comment->isComment());
  EXPECT_EQ(page.Inner(comment), "");
  NodeHandle a;
  ASSERT_TRUE(page.doc.FindChild(page.Body(), "a", a));
  EXPECT_EQ(comment.node->next_sibling, a.node);
  EXPECT_EQ(page.Body().node->last_child, a.node);
  EXPECT_EQ(page.Inner(page.Body()), "plain text<!-- note --><a>link</a> more");

  std::string out = "stale";
  EXPECT_TRUE(page.doc.GetInnerHtml("short", a, out));
  EXPECT_EQ(out, "");
  EXPECT_TRUE(page.doc.GetInnerHtml(page.text, NodeHandle(), out));
  EXPECT_EQ(out, "");
}

namespace {

// What the searches find in a page: its cells' inner texts and the first "a.t" below the body.
std::string Found(const char* html) {
  ParsedPage page(html);
  NodeHandle body, anchor;
  if (!page.doc.FindBody(body)) return "no body";
  NodeList cells;
  page.doc.CollectDescendants(body, "td", cells);
  std::string found = "cells:";
  for (NodeHandle cell : cells) found += "[" + page.Inner(cell) + "]";
  if (page.doc.QueryPath(body, "<><a.t>", anchor)) found += " a:[" + page.Inner(anchor) + "]";
  return found;
}

}  // namespace

TEST(Parsing, UnclosedAndBrokenMarkupGivesWhatIsThere) {
  const std::pair<const char*, const char*> pages[] = {
      {"", "no body"}, {"<", "no body"}, {"<body", "cells:"}, {"<<>>", "no body"}, {"</body>", "no body"},
      {"<!-- <body> -->", "no body"}, {"<body><table><tr><td class=", "cells:[]"},
      {"<body><td>1<td>2</td><a class=t>x", "cells:[][2] a:[]"},
      {"<body><a class=t href='x>y</a>z</a>", "cells: a:[y]"},
      {"<body>\xFF\xFE<\xC1\xD0><td>\xC1\xD0</td>", "cells:[\xC1\xD0]"}};
  for (const auto& [html, found] : pages) EXPECT_EQ(Found(html), found) << html;
  // Bare one-letter elements take far more tree than any honest markup: past
  // what the tree may take, the rest of the page is left out, a cell after
  // them included.
  std::string tags;
  for (int i = 0; i < 20000; ++i) tags += "<i>";
  EXPECT_EQ(Found(("<body>" + tags.substr(0, 3 * 200) + "<td>1</td>").c_str()), "cells:[1]");
  EXPECT_EQ(Found(("<body>" + tags + "<td>1</td>").c_str()), "cells:");
}

// A reader that lists at most so many elements of one name stops the tree at
// the next one, whatever its case, and the parse there; what was still open
// there is cut inside.
TEST(Parsing, AnElementLimitCutsThePageAtTheElementPastIt) {
  for (std::size_t most : {2, 3}) {
    PageDocument doc;
    doc.LimitElements("tr", most);
    doc.parseTree("<body><table><tr><td>1</td></tr><TR><td>2</td></TR><tr><td>3</td></tr></table>");
    NodeHandle body, table;
    NodeList cells;
    ASSERT_TRUE(doc.FindBody(body));
    ASSERT_TRUE(doc.FindDescendant(body, "table", table));
    doc.CollectDescendants(body, "td", cells);
    EXPECT_EQ(cells.size(), most);
    EXPECT_EQ(doc.PageCut(), most == 2);
    EXPECT_EQ(doc.OpenAtCut(table), most == 2);
    EXPECT_FALSE(doc.OpenAtCut(cells[0]));
    // The parse goes no further than the cut: the root covers what was read.
    EXPECT_EQ(doc.getTree().begin()->length(), most == 2 ? 55u : 78u);
  }
}
