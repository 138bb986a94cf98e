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

FetchOutcome FetchTrickled(const std::string& start, char byte) {
  ScriptedHttpServer server;
  server.Send(start).Trickle(byte, kTrickleMs);
  return FetchScripted(server, kDeadlineAddress, "/", kShortTimeouts);
}

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
