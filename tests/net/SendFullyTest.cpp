#include "net/SendFully.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Takes at most `most` bytes a call; after `budget` bytes it reports `failure`.
struct ShortSender {
  ShortSender(int most, std::size_t budget, int failure) : most(most), budget(budget), failure(failure) {}

  int most;
  std::size_t budget;
  int failure;
  std::string taken;
  int calls = 0;

  int Send(const char* data, int length) {
    ++calls;
    if (taken.size() >= budget) return failure;
    const int count = std::min(length, most);
    taken.append(data, static_cast<std::size_t>(count));
    return count;
  }
};

}  // namespace

TEST(SendFully, ShortSendsAreContinuedUntilEveryByteIsOut) {
  const std::string request = "GET / HTTP/1.1\r\nHost: h\r\n\r\n";
  ShortSender sender(5, 1000, -1);
  EXPECT_TRUE(SendFully(sender, request.data(), static_cast<int>(request.size())));
  EXPECT_EQ(sender.taken, request);
  EXPECT_EQ(sender.calls, static_cast<int>((request.size() + 4) / 5));
}

TEST(SendFully, AnErrorOrANullSendStops) {
  const std::string request(100, 'r');
  for (int failure : {-1, 0}) {
    ShortSender sender(30, 60, failure);
    EXPECT_FALSE(SendFully(sender, request.data(), static_cast<int>(request.size())));
    EXPECT_EQ(sender.taken, request.substr(0, 60));
  }
}
