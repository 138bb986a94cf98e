#include "tests/page/PageTestSupport.h"

#include <gtest/gtest.h>

TEST(FindBody, FindsLowerCaseBodyOnly) {
  ParsedPage page("<html><body><p>x</p></body></html>");
  NodeHandle body;
  ASSERT_TRUE(page.doc.FindBody(body));
  EXPECT_EQ(body->tagName(), "body");
}
