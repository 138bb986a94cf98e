#include "net/HttpFetcher.h"
#include "tests/net/FetchScripted.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

constexpr char kChunkedAddress[] = "127.0.0.24";
constexpr char kChunkedHeaders[] = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";

// Fetches a chunked response whose body is framing; the server keeps the
// connection open, so the body must end on the framing alone.
FetchOutcome FetchChunked(const std::string& framing, const char* headers = kChunkedHeaders) {
  return FetchResponse(kChunkedAddress, headers + framing, AfterResponse::HoldOpen);
}

uint32_t Hex(const char* text) { return HttpFetcher::ParseHexSize(text, std::strlen(text)); }

}  // namespace

TEST(ChunkedBody, FramingIsRemovedAndTheLastChunkEndsTheBody) {
  FetchOutcome five = FetchChunked("5\r\nhello\r\n0\r\n\r\n");
  EXPECT_TRUE(five.fetched);
  EXPECT_TRUE(five.whole);
  EXPECT_EQ(five.body, "hello");
  EXPECT_TRUE(five.record.clientClosedWhileHeld);

  const std::string letters = "abcdefghijklmnopqrstuvwxyz";
  FetchOutcome extension = FetchChunked("1a;name=value\r\n" + letters + "\r\n3\r\n123\r\n0\r\n\r\n");
  EXPECT_EQ(extension.body, letters + "123");

  FetchOutcome anyCase =
      FetchChunked("3\r\nabc\r\n0\r\n\r\n", "HTTP/1.1 200 OK\r\nTransfer-Encoding: ChUnKeD\r\n\r\n");
  EXPECT_EQ(anyCase.body, "abc");
}

TEST(ChunkedBody, ChunksLargerThanOneReadArriveWhole) {
  std::string big(1200, 'b');
  for (std::size_t i = 0; i < big.size(); i += 7) big[i] = 'c';
  const std::string small(300, 's');
  // A "Content-Length" beside the chunked coding counts the framing: it ends nothing early.
  FetchOutcome outcome = FetchChunked("4b0\r\n" + big + "\r\n12c\r\n" + small + "\r\n0\r\n\r\n",
                                      "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Length: 1519\r\n\r\n");
  EXPECT_TRUE(outcome.fetched);
  EXPECT_EQ(outcome.body, big + small);
  // A chunk longer than one 64 KiB block goes on in the next.
  const std::string large(70000, 'l');
  EXPECT_EQ(FetchChunked("11170\r\n" + large + "\r\n3\r\nend\r\n0\r\n\r\n").body, large + "end");
  // A body longer than it is cut at the first multiple of 500 at or past it,
  // inside a chunk as anywhere else.
  FetchOutcome cut =
      FetchChunked("a\r\n" + small.substr(0, 10) + "\r\n7d0\r\n" + std::string(2000, 'z') + "\r\n0\r\n\r\n",
                   "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Length: 1000\r\n\r\n");
  EXPECT_EQ(cut.body, std::string(10, 's') + std::string(990, 'z'));
}

TEST(ChunkedBody, LineEndAfterDataMayArriveInTwoPieces) {
  ScriptedHttpServer server;
  server.Send(std::string(kChunkedHeaders) + "5\r\nhello\r")
      .Pause(50)
      .Send("\n3\r\nabc\r\n0\r\n\r\n")
      .HoldOpen();
  FetchOutcome outcome = FetchScripted(server, kChunkedAddress);
  EXPECT_EQ(outcome.body, "helloabc");
}

TEST(ChunkedBody, OversizeOrUnreadableSizeLinesEndTheBody) {
  // A size line stops being read after 101 characters, even if it never ends.
  FetchOutcome endless = FetchChunked("5\r\nhello\r\n" + std::string(102, '0'));
  EXPECT_EQ(endless.body, "hello");
  EXPECT_FALSE(endless.whole);
  EXPECT_TRUE(endless.record.clientClosedWhileHeld);
  // Skipped bytes count too: at most 4096 before the line feed.
  const std::string extension = "3;" + std::string(4093, 'e');
  EXPECT_EQ(FetchChunked("5\r\nhello\r\n" + extension + "\r\nabc\r\n0\r\n\r\n").body, "helloabc");
  EXPECT_EQ(FetchChunked("5\r\nhello\r\n" + extension + "e\r\nabc\r\n0\r\n\r\n").body, "hello");
  EXPECT_EQ(FetchChunked("5\r\nhello\r\n3" + std::string(4096, '\r') + "\nabc\r\n0\r\n\r\n").body, "hello");
  // They end it cut: only a line of zero from real digits is the last chunk.
  const std::pair<const char*, bool> lines[] = {{"80000000", false}, {"", false}, {"x", false},
                                                {"000000000000000000000000000000000", false},  // 33
                                                {"00;last", true}, {" 0 ", true}};
  for (const auto& [line, whole] : lines) {
    SCOPED_TRACE(line);
    FetchOutcome outcome = FetchChunked(std::string("5\r\nhello\r\n") + line + "\r\nabc\r\n");
    EXPECT_EQ(outcome.body, "hello");
    EXPECT_EQ(outcome.whole, whole);
  }
}

TEST(ChunkedBody, PeerClosingInsideAChunkKeepsWhatArrived) {
  FetchOutcome outcome =
      FetchResponse(kChunkedAddress, std::string(kChunkedHeaders) + "5\r\nhello\r\na\r\nworld");
  EXPECT_TRUE(outcome.fetched);
  EXPECT_FALSE(outcome.whole);
  EXPECT_EQ(outcome.body, "helloworld");
}

TEST(ChunkedBody, ValueWithoutBlankAfterColonIsNotChunked) {
  FetchOutcome outcome = FetchResponse(
      kChunkedAddress, "HTTP/1.1 200 OK\r\nTransfer-Encoding:chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n");
  EXPECT_TRUE(outcome.fetched);
  EXPECT_EQ(outcome.body, "5\r\nhello\r\n0\r\n\r\n");
}

TEST(ParseHexSize, ReadsPositionalHexUpTo32CharactersAndBelow2To31) {
  // Foreign characters, those next to the digit ranges included, count as 0.
  const std::pair<const char*, uint32_t> cases[] = {
      {"1a", 26}, {"0", 0}, {"", 0}, {"1A ", 0x1A0}, {"9/:@AF", 0x9000AF}, {"Gaf`g", 0xAF00},
      {"7fffffff", 0x7FFFFFFF}, {"0000000000000000000000000000001a", 26},  // 32 characters
      {"80000000", 0}, {"ffffffffffffffffffff", 0}, {"00000000000000000000000000000001a", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(Hex(text), value) << text;
}
