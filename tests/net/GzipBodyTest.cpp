#include "net/Gunzip.h"
#include "tests/net/FetchScripted.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr char kGzipAddress[] = "127.0.0.25";

// Compresses text with the given window bits (31: gzip wrapper, 15: zlib wrapper).
std::string Compress(const std::string& text, int windowBits = 31) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::string out(deflateBound(&stream, text.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// Words from a fixed pseudo-random sequence: text that compresses, but not to nothing.
std::string Prose(std::size_t size) {
  static const char* const kWords[] = {"flat ", "rent ", "\xE5\xA4\xA9 ", "room ",
                                       "2000 ", "near ", "metro ",        "<td> "};
  std::string text;
  uint32_t state = 12345;
  while (text.size() < size) {
    state = state * 1103515245u + 12345u;
    text += kWords[(state >> 16) % 8];
  }
  text.resize(size);
  return text;
}

// data framed as one chunk.
std::string Chunk(const std::string& data) {
  std::ostringstream line;
  line << std::hex << data.size() << "\r\n" << data << "\r\n";
  return line.str();
}

FetchOutcome FetchEncoded(const std::string& encoding, const std::string& body) {
  // "Content-Length: 0" counts as absent: such a body ends only when the server closes.
  return FetchResponse(kGzipAddress,
                       "HTTP/1.1 200 OK\r\nVary: Content-Encoding\r\nContent-Encoding: " + encoding +
                           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body,
                       body.empty() ? AfterResponse::Close : AfterResponse::HoldOpen);
}

}  // namespace

TEST(GzipBody, GzipInAnyCaseIsInflated) {
  const std::string text = Prose(5000);
  for (const char* encoding : {"gzip", "GZIP", "Gzip"}) {
    SCOPED_TRACE(encoding);
    FetchOutcome outcome = FetchEncoded(encoding, Compress(text));
    EXPECT_TRUE(outcome.fetched);
    EXPECT_EQ(outcome.body, text);
    EXPECT_TRUE(outcome.record.clientClosedWhileHeld);
  }
}

TEST(GzipBody, ChunkedGzipIsDeChunkedThenInflated) {
  const std::string text = Prose(3000);
  const std::string packed = Compress(text);
  const std::string first = Chunk(packed.substr(0, packed.size() / 2)), last = Chunk(packed.substr(packed.size() / 2));
  // Whole, closed right after the last data, and closed inside the last chunk.
  for (const std::string& framing : {first + last + "0\r\n\r\n", first + last.substr(0, last.size() - 2),
                                     first + last.substr(0, last.size() / 2)}) {
    FetchOutcome outcome = FetchResponse(
        kGzipAddress, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Encoding: gzip\r\n\r\n" + framing);
    EXPECT_TRUE(outcome.fetched);
    if (framing.size() > first.size() + last.size() / 2) {
      EXPECT_EQ(outcome.body, text);
    } else {
      EXPECT_FALSE(outcome.body.empty());
      EXPECT_EQ(outcome.body, text.substr(0, std::min(outcome.body.size(), text.size() - 1)));
    }
  }
}

TEST(GzipBody, CutShortGivesTheDecodedPrefix) {
  const std::string text = Prose(60000);
  const std::string packed = Compress(text);
  const std::string half = packed.substr(0, packed.size() / 2);
  // Plain, and chunked with the peer closing inside the chunk's data.
  for (const FetchOutcome& outcome :
       {FetchEncoded("gzip", half),
        FetchResponse(kGzipAddress, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Encoding: gzip\r\n\r\n" +
                                        Chunk(packed).substr(0, half.size()))}) {
    EXPECT_TRUE(outcome.fetched);
    EXPECT_GT(outcome.body.size(), 1000u);
    EXPECT_LT(outcome.body.size(), text.size());
    EXPECT_EQ(outcome.body, text.substr(0, outcome.body.size()));
  }
}

TEST(GzipBody, MoreThanTwoMebibytesGivesTheFirstPart) {
  std::string text(3 * 1024 * 1024, 'z');
  for (std::size_t i = 0; i < text.size(); i += 4096) text[i] = 'q';
  FetchOutcome outcome = FetchEncoded("gzip", Compress(text));
  EXPECT_TRUE(outcome.fetched);
  EXPECT_EQ(outcome.body.size(), 0x200000u);
  EXPECT_EQ(outcome.body, text.substr(0, 0x200000));
}

TEST(GzipBody, UndecodableBodyFailsTheFetch) {
  for (const std::string& body :
       {std::string("<html>plain text</html>"), Compress("zlib wrapped", 15), std::string()}) {
    FetchOutcome outcome = FetchEncoded("gzip", body);
    EXPECT_FALSE(outcome.fetched);
    EXPECT_EQ(outcome.body, kUnchangedBody);
  }
  std::string corrupt = Compress(Prose(2000));
  corrupt[corrupt.size() - 6] ^= 0x55;  // the trailer's check value
  EXPECT_FALSE(FetchEncoded("gzip", corrupt).fetched);
}

TEST(GzipBody, OtherCodingsPassAsRawText) {
  const std::string packed = Compress("hello");
  const std::string raw = packed.substr(0, packed.find('\0'));
  for (const char* encoding : {"gzip, br", "identity", "x-gzip"}) {
    SCOPED_TRACE(encoding);
    FetchOutcome outcome = FetchEncoded(encoding, packed);
    EXPECT_TRUE(outcome.fetched);
    EXPECT_EQ(outcome.body, raw);
  }
}

TEST(Gunzip, CompleteStreamReportsItsLength) {
  const std::string packed = Compress("nestari");
  std::vector<char> out(64, '\0');
  uint32_t capacity = static_cast<uint32_t>(out.size());
  bool ended = false;
  EXPECT_EQ(Gunzip(out.data(), &capacity, packed.data(), static_cast<uint32_t>(packed.size()), ended), Z_OK);
  EXPECT_TRUE(ended);
  EXPECT_EQ(capacity, 7u);
  EXPECT_EQ(std::string(out.data(), capacity), "nestari");

  capacity = static_cast<uint32_t>(out.size());
  EXPECT_EQ(Gunzip(out.data(), &capacity, packed.data(), 0, ended), Z_DATA_ERROR);
  EXPECT_EQ(capacity, out.size());
}

TEST(Gunzip, StreamCutShortReportsWhatItDecoded) {
  const std::string packed = Compress(std::string(3000, 'n'));
  std::vector<char> out(4096, 'x');
  uint32_t capacity = static_cast<uint32_t>(out.size());
  bool ended = true;
  EXPECT_EQ(Gunzip(out.data(), &capacity, packed.data(), static_cast<uint32_t>(packed.size() - 8), ended), Z_OK);
  EXPECT_FALSE(ended);
  EXPECT_EQ(std::string(out.data(), capacity), std::string(3000, 'n'));

  // The fetch's text stops at the decoded end even in a buffer never zeroed.
  std::string text = "stale";
  bool whole = true;
  EXPECT_TRUE(InflateGzipBody(packed.data(), static_cast<uint32_t>(packed.size() - 8), text, whole));
  EXPECT_FALSE(whole);
  EXPECT_EQ(text, std::string(3000, 'n'));
  EXPECT_FALSE(InflateGzipBody("plain", 5, text, whole));
  EXPECT_EQ(text, std::string(3000, 'n'));
}
