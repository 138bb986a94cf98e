#include "net/HttpFetcher.h"
#include "tests/net/FetchScripted.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

constexpr char kRequestAddress[] = "127.0.0.20";
constexpr char kStatusAddress[] = "127.0.0.21";
constexpr char kHeaderAddress[] = "127.0.0.22";
constexpr char kBodyAddress[] = "127.0.0.23";

// A header block padded with one filler header to exactly size bytes.
std::string HeaderBlockOfSize(std::size_t size) {
  const std::string start = "HTTP/1.1 200 OK\r\nX-Filler: ";
  const std::string end = "\r\n\r\n";
  return start + std::string(size - start.size() - end.size(), 'f') + end;
}

}  // namespace

TEST(HttpRequest, SendsTheFixedRequestWithPathAndHostAsGiven) {
  ScriptedHttpServer server;
  server.Send("HTTP/1.1 200 OK\r\n\r\nfine");
  FetchOutcome outcome = FetchScripted(server, kRequestAddress, "/nestari/0/?final=1&key=%E5%A4%A9");
  EXPECT_TRUE(outcome.fetched);
  EXPECT_EQ(outcome.body, "fine");
  EXPECT_EQ(outcome.record.connections, 1);
  EXPECT_EQ(outcome.record.request,
            "GET /nestari/0/?final=1&key=%E5%A4%A9 HTTP/1.1\r\n"
            "Host: 127.0.0.20\r\n"
            "User-Agent: Mozilla/5.0\r\n"
            "Accept: */*\r\n"
            "Accept-Encoding: gzip\r\n"
            "Connection: close\r\n"
            "\r\n");
}

TEST(HttpRequest, ARequestOf2047BytesGoesOutWholeALongerOneNotAtAll) {
  // With this host, the request is 115 bytes longer than its path.
  for (std::size_t pathSize : {std::size_t{1932}, std::size_t{1933}}) {
    const std::string path = "/" + std::string(pathSize - 1, 'p');
    ScriptedHttpServer server;
    server.Send("HTTP/1.1 200 OK\r\n\r\nfine");
    FetchOutcome outcome = FetchScripted(server, kRequestAddress, path.c_str());
    EXPECT_EQ(outcome.fetched, pathSize == 1932);
    EXPECT_EQ(outcome.record.request.size(), pathSize == 1932 ? 2047u : 0u);
  }
}

TEST(HttpHeaders, AValueIsReadFromItsOwnLineAndMustFitWithItsTerminator) {
  ScriptedHttpServer server;
  server.Send("HTTP/1.1 200 OK\r\nVary: X-Four\r\nX-Fourth: wxyz\r\nX-Four: abcd\r\n\r\n");
  ASSERT_TRUE(server.Start(kHeaderAddress));
  HttpFetcher fetcher;
  ASSERT_TRUE(fetcher.Connect(kHeaderAddress, 80) && fetcher.SendRequest(kHeaderAddress, "/") &&
              fetcher.ReadHeaders());
  char value[6] = "old";
  EXPECT_FALSE(fetcher.GetHeaderValue("X-Four", value, 4));
  EXPECT_STREQ(value, "old");
  EXPECT_TRUE(fetcher.GetHeaderValue("X-Four", value, 5));
  EXPECT_STREQ(value, "abcd");
  EXPECT_FALSE(fetcher.GetHeaderValue("x-four", value, 6) || fetcher.GetHeaderValue(nullptr, value, 6) ||
               fetcher.GetHeaderValue("X-Four", nullptr, 6));
  server.Finish();
}

TEST(HttpRequest, FailsWithoutHostPathServerOrResolvableName) {
  std::string body = kUnchangedBody;
  EXPECT_FALSE(FetchPage(nullptr, "/", body));
  EXPECT_FALSE(FetchPage(kRequestAddress, nullptr, body));
  EXPECT_FALSE(FetchPage("", "/", body));
  // Nothing listens: refused, which is no time-out.
  FetchReport report{true, true};
  EXPECT_FALSE(FetchPage(kRequestAddress, "/", RequestTimeouts(), nullptr, body, report));
  EXPECT_FALSE(report.timedOut || report.bodyWhole);
  EXPECT_EQ(body, kUnchangedBody);

  // A port in the host text is part of the name: no such host, no connection.
  ScriptedHttpServer server;
  server.Send("HTTP/1.1 200 OK\r\n\r\nfine");
  ASSERT_TRUE(server.Start(kRequestAddress));
  EXPECT_FALSE(FetchPage("127.0.0.20:80", "/", body));
  EXPECT_EQ(server.Finish().connections, 0);
  EXPECT_EQ(body, kUnchangedBody);

  // A fetcher that has read no response answers no query.
  HttpFetcher fresh;
  int value = 5;
  char text[4] = "old";
  EXPECT_FALSE(fresh.GetStatusCode(&value) || fresh.GetContentLength(&value) ||
               fresh.GetHeaderValue("Vary", text, sizeof text) || fresh.SendRequest(nullptr, "/") ||
               fresh.SendRequest("h", nullptr) || fresh.SendRequest("h", std::string(2047, 'p').c_str()) ||
               fresh.Connect(nullptr, 80) || fresh.Connect("", 80));
  EXPECT_EQ(value, 5);
}

TEST(HttpStatus, CodesBelow300SucceedAllElseFails) {
  const std::pair<const char*, bool> cases[] = {
      {"HTTP/1.1 200 OK", true}, {"HTTP/1.1 204 No Content", true}, {"HTTP/1.0 200", true},
      {"HTTP/1.1200 OK", true}, {"HTTP/1.1 300 Multiple Choices", false}, {"HTTP/1.1 302 Found", false},
      {"HTTP/1.1 404 Not Found", false}, {"HTTP/1.1 500 Internal Server Error", false},
      {"HTTP/1\t404 Not Found", false}, {"HTTP/1\r404 Not Found", false}, {"HTTP/1.1 OK", false}, {"", false},
      {"HTTP/1.1500 OK", false}, {"HTTP/1.1 -200 OK", false}, {"HTTP/1.1 99999999999999999999 OK", false}};
  for (const auto& [statusLine, fetched] : cases) {
    FetchOutcome outcome = FetchResponse(kStatusAddress, std::string(statusLine) + "\r\n\r\nbody");
    EXPECT_EQ(outcome.fetched, fetched) << statusLine;
    EXPECT_EQ(outcome.body, fetched ? "body" : kUnchangedBody) << statusLine;
  }
}

TEST(HttpHeaders, ContentLengthEndsTheBodyWithoutWaitingForClose) {
  // The server keeps the connection open: the client must stop by itself.
  // Its own line counts, not the name inside or at the start of another header's.
  for (const char* header : {"Content-Length: 10", "Content-Length:10", "Content-Length:  10 ",
                             "X-Content-Length-Note: 3\r\nContent-Length: 10",
                             "Content-Length-Range: 3\r\nContent-Length: 10"}) {
    SCOPED_TRACE(header);
    ScriptedHttpServer server;
    server.Send(std::string("HTTP/1.1 200 OK\r\n") + header + "\r\n\r\n")
        .Pause(20)
        .Send("0123456789")
        .HoldOpen();
    FetchOutcome outcome = FetchScripted(server, kHeaderAddress);
    EXPECT_TRUE(outcome.fetched);
    EXPECT_FALSE(outcome.timedOut);
    EXPECT_TRUE(outcome.whole);
    EXPECT_EQ(outcome.body, "0123456789");
    EXPECT_TRUE(outcome.record.clientClosedWhileHeld);
  }
  // More than the length, arriving after part of the body: cut at the length.
  ScriptedHttpServer server;
  server.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + std::string(600, 'a'))
      .Pause(20)
      .Send(std::string(3000, 'b'))
      .HoldOpen();
  EXPECT_EQ(FetchScripted(server, kHeaderAddress).body, std::string(600, 'a') + std::string(400, 'b'));
}

TEST(HttpHeaders, BareLineFeedBlockEndsAtFirstEmptyLineAndHasNoHeaderValues) {
  FetchOutcome outcome = FetchResponse(kHeaderAddress,
                                       "HTTP/1.1 200 OK\nContent-Length: 5\nTransfer-Encoding: chunked\n"
                                       "Content-Encoding: gzip\n\nhello",
                                       AfterResponse::HoldOpen);
  EXPECT_TRUE(outcome.fetched);
  EXPECT_EQ(outcome.body, "hello");  // neither de-chunked nor inflated
  EXPECT_TRUE(outcome.record.clientClosedWhileHeld);

  // Carriage returns inside the empty line do not matter.
  EXPECT_EQ(FetchResponse(kHeaderAddress, "HTTP/1.1 200 OK\r\n\r\r\nrest").body, "rest");
}

TEST(HttpHeaders, BlockInAnyPiecesLeavesTheBodyOnTheSocket) {
  // The body of the first looks like header lines: none of it may be read as one.
  // The second stops at the last size line, after which the client reads nothing.
  const std::string responses[] = {
      "HTTP/1.1 200 OK\r\nContent-Length: 24\r\n\r\nContent-Encoding: gzip\r\n",
      "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5;x=y\r\nhello\r\n3\r\nabc\r\n0\r\n"};
  const std::string bodies[] = {"Content-Encoding: gzip\r\n", "helloabc"};
  for (int i = 0; i < 2; ++i) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, responses[i].size()}) {
      SCOPED_TRACE(testing::Message() << responses[i] << " in pieces of " << piece);
      ScriptedHttpServer server;
      for (std::size_t at = 0; at < responses[i].size(); at += piece) server.Pause(2).Send(responses[i].substr(at, piece));
      FetchOutcome outcome = FetchScripted(server.HoldOpen(), kHeaderAddress);
      EXPECT_TRUE(outcome.fetched);
      EXPECT_EQ(outcome.body, bodies[i]);
      EXPECT_TRUE(outcome.record.clientClosedWhileHeld);
    }
  }
}

TEST(HttpHeaders, UnusableContentLengthCountsAsAbsent) {
  for (const char* header : {"content-length: 3", "Content-Length: -5", "Content-Length: 0",
                             "Content-Length: x", "X-Original-Content-Length: 5"}) {
    SCOPED_TRACE(header);
    FetchOutcome outcome =
        FetchResponse(kHeaderAddress, std::string("HTTP/1.1 200 OK\r\n") + header + "\r\n\r\nabcdef");
    EXPECT_TRUE(outcome.fetched);
    EXPECT_TRUE(outcome.whole);
    EXPECT_EQ(outcome.body, "abcdef");
  }
}

TEST(HttpHeaders, HeaderBlockMustFitIn1023Bytes) {
  FetchOutcome fitted = FetchResponse(kHeaderAddress, HeaderBlockOfSize(1023) + "body");
  EXPECT_TRUE(fitted.fetched);
  EXPECT_EQ(fitted.body, "body");

  for (std::size_t size : {std::size_t{1024}, std::size_t{5000}}) {
    SCOPED_TRACE(size);
    FetchOutcome outcome = FetchResponse(kHeaderAddress, HeaderBlockOfSize(size) + "body");
    EXPECT_FALSE(outcome.fetched);
    EXPECT_EQ(outcome.body, kUnchangedBody);
  }
}

TEST(HttpHeaders, CloseBeforeTheEndOfTheHeaderBlockFails) {
  FetchOutcome outcome = FetchResponse(kHeaderAddress, "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n");
  EXPECT_FALSE(outcome.fetched);
  EXPECT_EQ(outcome.body, kUnchangedBody);
}

TEST(HttpBody, WithoutLengthReadsUntilTheServerCloses) {
  const std::string first(1200, 'a'), second(700, 'b');
  ScriptedHttpServer server;
  server.Send("HTTP/1.1 200 OK\r\n\r\n" + first).Pause(30).Send(second);
  FetchOutcome outcome = FetchScripted(server, kBodyAddress);
  EXPECT_TRUE(outcome.fetched);
  EXPECT_TRUE(outcome.whole);
  EXPECT_EQ(outcome.body, first + second);
}

TEST(HttpBody, StopsAtOneMebibyteWithoutALengthAndAtTwoWhateverTheLengthOrFraming) {
  // The server holds the connection open: the client must stop by itself,
  // within the last 500-byte step, however much more the server has sent.
  struct Case {
    const char* headers;
    const char* framing;
    std::size_t most;
  };
  const Case cases[] = {{"", "", 0x100000},
                        {"Content-Length: 16777217\r\n", "", 0x200000},
                        {"Content-Length: 99999999999999999999\r\n", "", 0x200000},
                        {"Transfer-Encoding: chunked\r\nContent-Length: 16777216\r\n", "3d0900\r\n", 0x200000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.headers);
    std::string sent(c.most + 1000, 'x');
    for (std::size_t i = 0; i < sent.size(); i += 997) sent[i] = 'y';
    FetchOutcome outcome = FetchResponse(
        kBodyAddress, std::string("HTTP/1.1 200 OK\r\n") + c.headers + "\r\n" + c.framing + sent, AfterResponse::HoldOpen);
    EXPECT_TRUE(outcome.fetched);
    EXPECT_FALSE(outcome.whole);
    EXPECT_GE(outcome.body.size(), c.most);
    EXPECT_LT(outcome.body.size(), c.most + 500);
    EXPECT_EQ(outcome.body, sent.substr(0, outcome.body.size()));
    EXPECT_TRUE(outcome.record.clientClosedWhileHeld);
  }
}

TEST(HttpBody, CloseInTheMiddleReturnsThePartialBody) {
  FetchOutcome outcome =
      FetchResponse(kBodyAddress, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n" + std::string(40, 'p'));
  EXPECT_TRUE(outcome.fetched);
  EXPECT_FALSE(outcome.timedOut);  // closed, not silent
  EXPECT_FALSE(outcome.whole);
  EXPECT_EQ(outcome.body, std::string(40, 'p'));
}

TEST(HttpBody, ZeroByteEndsTheText) {
  FetchOutcome outcome =
      FetchResponse(kBodyAddress, std::string("HTTP/1.1 200 OK\r\nContent-Length: 7\r\n\r\nabc\0def", 45));
  EXPECT_TRUE(outcome.fetched);
  EXPECT_FALSE(outcome.whole);
  EXPECT_EQ(outcome.body, "abc");
}
