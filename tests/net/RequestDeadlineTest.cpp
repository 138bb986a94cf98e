#include "net/HttpFetcher.h"
#include "tests/net/FetchScripted.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kDeadlineAddress[] = "127.0.0.26";
// Waits long enough for a slow start under Wine. A byte arrives every 50 ms,
// well within the wait of one receive: only the request's deadline can end
// these fetches before the server gives up (10 s).
constexpr RequestTimeouts kShortTimeouts{2000, 2000};
constexpr int kTrickleMs = 50;

FetchOutcome FetchTrickled(const std::string& start, char byte, int trickleMs = kTrickleMs, WaitHook* hook = nullptr,
                           RequestTimeouts timeouts = kShortTimeouts) {
  ScriptedHttpServer server;
  server.Send(start).Trickle(byte, trickleMs);
  return FetchScripted(server, kDeadlineAddress, "/", timeouts, hook);
}

// Counts its asks and stops the request at the given one.
class CountingHook : public WaitHook {
public:
  explicit CountingHook(int stopAt) : stopAt_(stopAt) {}
  bool KeepWaiting() override { return ++asks < stopAt_; }
  int asks = 0;

private:
  int stopAt_;
};

}  // namespace

TEST(RequestDeadline, EndsABodyThatNeverEndsAndKeepsWhatArrived) {
  const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n";
  const std::string plain = "HTTP/1.1 200 OK\r\nContent-Length: 90000\r\n\r\nhello";
  struct Case {
    std::string start;
    char byte;
    const char* body;  // what the body starts with
    const char* kept;  // what may follow it: trickled data stays, as in any cut-off body
  };
  for (const Case& c : {Case{chunked + "3;ext=", 'x', "hello", ""}, Case{plain + "ab", 'c', "helloab", "c"}}) {
    SCOPED_TRACE(c.start);
    FetchOutcome outcome = FetchTrickled(c.start, c.byte);
    EXPECT_TRUE(outcome.fetched);
    EXPECT_TRUE(outcome.timedOut);  // though it kept what arrived
    EXPECT_FALSE(outcome.whole);
    EXPECT_TRUE(outcome.record.clientClosedWhileHeld);
    EXPECT_EQ(outcome.body.substr(0, std::string(c.body).size()), c.body);
    EXPECT_EQ(outcome.body.find_first_not_of(c.kept, std::string(c.body).size()), std::string::npos);
  }
}

TEST(RequestDeadline, FailsAHeaderBlockThatNeverEnds) {
  FetchOutcome outcome = FetchTrickled("HTTP/1.1 200 OK\r\nX-Slow: ", 'a');
  EXPECT_FALSE(outcome.fetched);
  EXPECT_TRUE(outcome.timedOut);
  EXPECT_EQ(outcome.body, kUnchangedBody);
  EXPECT_TRUE(outcome.record.clientClosedWhileHeld);
}

// Data every 10 ms never lets a wait run empty for 50 ms: the hook is asked
// by the clock all the same, in the header block and in the body, and its
// stop ends the request long before the deadline.
TEST(RequestDeadline, TheHookIsAskedWhileDataTrickles) {
  for (const char* start : {"HTTP/1.1 200 OK\r\nX-Slow: ", "HTTP/1.1 200 OK\r\nContent-Length: 90000\r\n\r\n"}) {
    SCOPED_TRACE(start);
    CountingHook hook(20);
    FetchOutcome outcome = FetchTrickled(start, 'a', 10, &hook, RequestTimeouts{8000, 8000});
    EXPECT_EQ(hook.asks, 20);
    EXPECT_FALSE(outcome.fetched);
    EXPECT_FALSE(outcome.timedOut);
    EXPECT_TRUE(outcome.record.clientClosedWhileHeld);
  }
}

TEST(RequestDeadline, EachReceiveStillWaitsOnlyItsOwnTime) {
  ScriptedHttpServer server;
  server.Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial").HoldOpen();
  FetchOutcome outcome = FetchScripted(server, kDeadlineAddress, "/", RequestTimeouts{60000, 1500});
  EXPECT_TRUE(outcome.fetched);
  EXPECT_EQ(outcome.body, "partial");
  EXPECT_TRUE(outcome.timedOut);
  EXPECT_TRUE(outcome.record.clientClosedWhileHeld);
  // Without times of the caller's own: 20 s per receive, 60 s per request.
  EXPECT_EQ(RequestTimeouts().waitMs, 20000);
  EXPECT_EQ(RequestTimeouts().requestMs, 60000);
}
