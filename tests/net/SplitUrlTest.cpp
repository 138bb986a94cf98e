#include "net/HttpFetcher.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Split {
  std::string host = "old host";
  std::string path = "old path";
};

Split SplitOf(const char* url) {
  Split split;
  EXPECT_TRUE(SplitUrl(url, split.host, split.path)) << url;
  return split;
}

}  // namespace

TEST(SplitUrl, CutsAtTheFirstSlashAfterTheHost) {
  Split full = SplitOf("http://bj.sitea.example/nestari/0/?final=1&key=%61%62");
  EXPECT_EQ(full.host, "bj.sitea.example");
  EXPECT_EQ(full.path, "/nestari/0/?final=1&key=%61%62");

  Split bare = SplitOf("http://bj.sitea.example");
  EXPECT_EQ(bare.host, "bj.sitea.example");
  EXPECT_EQ(bare.path, "/");

  Split noScheme = SplitOf("sh.siteb.example/fang3/a1/_%E5%A4%A9/");
  EXPECT_EQ(noScheme.host, "sh.siteb.example");
  EXPECT_EQ(noScheme.path, "/fang3/a1/_%E5%A4%A9/");

  Split trailing = SplitOf("http://host/");
  EXPECT_EQ(trailing.host, "host");
  EXPECT_EQ(trailing.path, "/");
}

TEST(SplitUrl, KeepsPortAndUserInTheHost) {
  Split withPort = SplitOf("http://bj.sitea.example:8080/a?b=c");
  EXPECT_EQ(withPort.host, "bj.sitea.example:8080");
  EXPECT_EQ(withPort.path, "/a?b=c");

  Split withUser = SplitOf("http://user@host/x");
  EXPECT_EQ(withUser.host, "user@host");
  EXPECT_EQ(withUser.path, "/x");
}

TEST(SplitUrl, RefusesNullAndOverlongUrlsWithoutTouchingTheOutputs) {
  Split split;
  EXPECT_FALSE(SplitUrl(nullptr, split.host, split.path));

  const std::string longest = "http://h/" + std::string(1023 - 9, 'a');
  EXPECT_TRUE(SplitUrl(longest.c_str(), split.host, split.path));
  EXPECT_EQ(split.path.size(), 1023u - 8);

  split = Split();
  const std::string tooLong = longest + "a";
  EXPECT_FALSE(SplitUrl(tooLong.c_str(), split.host, split.path));
  EXPECT_EQ(split.host, "old host");
  EXPECT_EQ(split.path, "old path");
}
