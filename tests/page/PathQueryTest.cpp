#include "tests/page/PageTestSupport.h"

#include <gtest/gtest.h>

namespace {

const char kSiteBPage[] =
    "<html><body>"
    "<div id=wrapper><div id=content><div class=list_border><div class=list>"
    "<dl class=list_noimg>"
    "<dt class=clr>no link here</dt>"
    "<dt class=clr><a href='/a'>second</a></dt>"
    "</dl>"
    "<dl class=list_noimg><dt class=CLR><a class=any href='/b'>ok</a></dt></dl>"
    "<dl class=list_noimg><dt class='clr x'><a href='/c'>multi</a></dt></dl>"
    "</div></div></div></div>"
    "</body></html>";

const char kContainer[] = "<div#wrapper><div#content><div.list_border><div.list>";

NodeList Blocks(ParsedPage& page) {
  NodeHandle list;
  page.doc.QueryPath(page.Body(), kContainer, list);
  NodeList blocks;
  page.doc.CollectChildrenWithAttr(list, "dl", "class", "list_noimg", blocks);
  return blocks;
}

}  // namespace

TEST(QueryPath, SelectorWithoutStepsYieldsTheStart) {
  ParsedPage page("<body><p>x</p></body>");
  for (const char* selector : {"", "no steps at all", "td.t a.t"}) {
    NodeHandle out;
    ASSERT_TRUE(page.doc.QueryPath(page.Body(), selector, out)) << selector;
    EXPECT_EQ(out, page.Body());
  }
}

TEST(QueryPath, FollowsTheFourLevelContainerSkippingTextBetweenSteps) {
  ParsedPage page(kSiteBPage);
  NodeHandle list, spaced;
  ASSERT_TRUE(page.doc.QueryPath(page.Body(), kContainer, list));
  EXPECT_EQ(page.Attr(list, "class"), "list");
  EXPECT_EQ(Blocks(page).size(), 3u);
  ASSERT_TRUE(page.doc.QueryPath(
      page.Body(), "lead <div#wrapper> > <div#content>then<div.list_border>\t<div.list> tail", spaced));
  EXPECT_EQ(spaced, list);
}

TEST(QueryPath, FirstMatchWinsWithoutBacktracking) {
  ParsedPage page(kSiteBPage);
  NodeList blocks = Blocks(page);
  ASSERT_EQ(blocks.size(), 3u);

  NodeHandle anchor;
  EXPECT_FALSE(page.doc.QueryPath(blocks[0], "<dt.clr><a>", anchor));
  EXPECT_EQ(anchor.node, nullptr);

  ASSERT_TRUE(page.doc.QueryPath(blocks[1], "<dt.clr><a>", anchor));
  EXPECT_EQ(page.Inner(anchor), "ok");

  NodeHandle multi;
  EXPECT_FALSE(page.doc.QueryPath(blocks[2], "<dt.clr><a>", multi));
}

TEST(QueryPath, StepsLookOnlyAtChildrenUnlessAnEmptyStepCame) {
  ParsedPage page(
      "<body><div class=outer><div id=wrapper><div id=content><div class=list_border>"
      "<div class=list>x</div></div></div></div></div></body>");
  NodeHandle out;
  EXPECT_FALSE(page.doc.QueryPath(page.Body(), kContainer, out));
  ASSERT_TRUE(page.doc.QueryPath(page.Body(), std::string("<>") + kContainer, out));
  EXPECT_EQ(page.Inner(out), "x");
  // After the step that follows it, children are searched again.
  EXPECT_FALSE(page.doc.QueryPath(page.Body(), "<><div#wrapper><div.list>", out));
  // An empty step at the end changes nothing.
  NodeHandle wrapper;
  ASSERT_TRUE(page.doc.QueryPath(page.Body(), "<><div#wrapper><>", wrapper));
  EXPECT_EQ(page.Attr(wrapper, "id"), "wrapper");
}

TEST(QueryPath, TagNamesAreCaseExactAndTheStartIsNeverTested) {
  ParsedPage capital("<body><DIV id=wrapper><div id=content>x</div></DIV></body>");
  NodeHandle out;
  EXPECT_FALSE(capital.doc.QueryPath(capital.Body(), "<div#wrapper>", out));

  ParsedPage page("<body><div id=a><div id=b>x</div></div></body>");
  NodeHandle a;
  ASSERT_TRUE(page.doc.QueryPath(page.Body(), "<div#a>", a));
  EXPECT_FALSE(page.doc.QueryPath(a, "<div#a>", out));
  ASSERT_TRUE(page.doc.QueryPath(a, "<div#B>", out));
}

TEST(QueryPath, BlanksInsideAStepBelongToTheNameOrValue) {
  ParsedPage page("<body><div class='a b'>x</div></body>");
  NodeHandle out;
  EXPECT_TRUE(page.doc.QueryPath(page.Body(), "<div.a b>", out));
  EXPECT_FALSE(page.doc.QueryPath(page.Body(), "< div.a b>", out));
}

TEST(QueryPath, UnusualStepsKeepTheCharacterByCharacterReading) {
  ParsedPage page("<body><p class=x id=y>1</p><p>2</p></body>");
  NodeHandle out;
  // With two markers the last one names the attribute, its text the value.
  ASSERT_TRUE(page.doc.QueryPath(page.Body(), "<p.x#y>", out));
  EXPECT_EQ(page.Inner(out), "1");
  // A leading marker makes the rest the tag, tested against an empty class.
  ASSERT_TRUE(page.doc.QueryPath(page.Body(), "<.p>", out));
  EXPECT_EQ(page.Inner(out), "2");
}

TEST(QueryPath, UnclosedStepFailsAndLeavesTheOutHandle) {
  ParsedPage page("<body><p>x</p></body>");
  NodeHandle out;
  EXPECT_FALSE(page.doc.QueryPath(page.Body(), "<p", out));
  EXPECT_FALSE(page.doc.QueryPath(page.Body(), "<p><", out));
  EXPECT_EQ(out.node, nullptr);
}
