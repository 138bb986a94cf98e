#include "net/HttpFetcher.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Split {
  std::string host = "old host";
  std::string path = "old path";
};

}  // namespace

TEST(SplitUrl, CutsAtTheFirstSlashAfterTheHostKeepingPortAndUser) {
  const char* const cases[][3] = {
      {"http://bj.sitea.example/nestari/0/?final=1&key=%61%62", "bj.sitea.example", "/nestari/0/?final=1&key=%61%62"},
      {"http://bj.sitea.example", "bj.sitea.example", "/"},
      {"sh.siteb.example/fang3/a1/_%E5%A4%A9/", "sh.siteb.example", "/fang3/a1/_%E5%A4%A9/"},
      {"http://host/", "host", "/"},
      {"http://bj.sitea.example:8080/a?b=c", "bj.sitea.example:8080", "/a?b=c"},
      {"http://user@host/x", "user@host", "/x"}};
  for (const auto& [url, host, path] : cases) {
    Split split;
    EXPECT_TRUE(SplitUrl(url, split.host, split.path)) << url;
    EXPECT_EQ(split.host, host);
    EXPECT_EQ(split.path, path);
  }
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
