// The header queries and the body reading of HttpFetcher.
#include "net/HttpFetcher.h"

#include "net/ReceiveThrough.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kLongestProtocolWord = 8;
constexpr std::size_t kChunkSizeBufferSize = 200;
constexpr std::size_t kLongestChunkSizeText = 100;
// Every byte of a size line counts, the skipped ones too (carriage returns, an
// extension): a server cannot feed one line for ever.
constexpr std::size_t kLongestChunkSizeLine = 4096;
// How much of a size line is looked at per receive; real lines are far shorter.
constexpr int kChunkSizeWindow = 128;
constexpr std::size_t kLongestHexText = 32;
constexpr uint64_t kLargestChunkSize = 0x7FFFFFFF;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Reads a decimal integer as scanf's "%d" would (leading white space, a sign),
// but without overflow: a value outside int is clamped.
bool ReadDecimal(const char* text, int* value) {
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (end == text) return false;
  *value = static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
  return true;
}

// One chunk-size line, fed byte by byte: keeps the size text, skips carriage
// returns and the extension after a ";", and ends at the line feed or as soon
// as the line is too long.
class ChunkSizeLine {
public:
  // True when the line has ended.
  bool Feed(char byte) {
    if (stored_ > kLongestChunkSizeText) return Overflow();
    if (byte == '\n') return true;
    if (++length_ > kLongestChunkSizeLine) return Overflow();
    if (byte == ';')
      inExtension_ = true;
    else if (byte != '\r' && !inExtension_)
      text_[stored_++] = byte;
    return false;
  }

  // The size the line gives; 0, which ends the body, for one that was too long.
  uint32_t Size() const { return tooLong_ ? 0 : HttpFetcher::ParseHexSize(text_, stored_); }
  // Whether the line is the last chunk's: it reads as zero from real digits.
  // A line of no digit, too long a text or too large a value ends the body
  // too, but cut.
  bool Last() const {
    if (tooLong_ || stored_ > kLongestHexText) return false;
    const char* end = text_ + stored_;
    const auto isHexDigit = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    const auto isNonZeroDigit = [&](char c) { return c != '0' && isHexDigit(c); };
    return std::any_of(text_, end, isHexDigit) && std::none_of(text_, end, isNonZeroDigit);
  }

private:
  bool Overflow() {
    tooLong_ = true;
    return true;
  }

  char text_[kChunkSizeBufferSize] = {};
  std::size_t stored_ = 0;
  std::size_t length_ = 0;
  bool inExtension_ = false;
  bool tooLong_ = false;
};

// Where the header line of name (exact case, then its colon) starts; null
// when there is none. A name inside another header's value ("Vary:
// Content-Encoding") or at the start of a longer name ("Content-Length-Range")
// is no header.
const char* FindHeaderLine(const char* block, const char* name) {
  const std::size_t length = std::strlen(name);
  for (const char* end = std::strchr(block, '\n'); end; end = std::strchr(end + 1, '\n')) {
    if (std::strncmp(end + 1, name, length) == 0 && end[1 + length] == ':') return end + 1;
  }
  return nullptr;
}

}  // namespace

bool HttpFetcher::GetStatusCode(int* code) const {
  if (!headerBuffer_ || !headerBuffer_[0] || !code) return false;
  // A protocol word of at most 8 characters, then the number. A longer word is
  // cut after its eighth character and the number read from there on.
  const char* cursor = headerBuffer_.get();
  while (IsSpace(*cursor)) ++cursor;
  const char* word = cursor;
  while (*cursor && !IsSpace(*cursor) && cursor - word < kLongestProtocolWord) ++cursor;
  if (cursor == word) return false;
  return ReadDecimal(cursor, code);
}

bool HttpFetcher::GetContentLength(int* length) const {
  static constexpr char kName[] = "Content-Length";
  if (!headerBuffer_ || !length) return false;
  const char* found = FindHeaderLine(headerBuffer_.get(), kName);
  if (!found) return false;
  return ReadDecimal(found + sizeof kName, length);
}

bool HttpFetcher::GetHeaderValue(const char* name, char* destination, std::size_t size) const {
  if (!name || !destination || !headerBuffer_) return false;
  const char* found = FindHeaderLine(headerBuffer_.get(), name);
  if (!found) return false;
  // Skip the colon and the blank, whatever they are, but never the terminator.
  const char* value = found + std::strlen(name);
  for (int skipped = 0; skipped < 2 && *value; ++skipped) ++value;
  const char* end = std::strstr(value, "\r\n");
  if (!end) return false;
  const std::size_t length = static_cast<std::size_t>(end - value);
  if (length >= size) return false;
  std::fill_n(destination, size, '\0');
  std::memcpy(destination, value, length);
  return true;
}

bool HttpFetcher::ReadBlock(char* destination, uint32_t capacity, uint32_t* delivered) {
  *delivered = 0;
  const int most = static_cast<int>(std::min<uint32_t>(capacity, INT_MAX));
  if (!chunked_) {
    const int received = socket_.Receive(destination, most);
    bodyEnded_ = received == 0;
    if (received <= 0) return false;
    *delivered = static_cast<uint32_t>(received);
    return true;
  }
  if (capacity == 0) return false;
  uint32_t filled = 0;
  while (filled < capacity) {
    if (chunkRemaining_ == kChunkSizeUnread) chunkRemaining_ = ReadChunkSize();
    if (chunkRemaining_ == 0) break;  // the last chunk; its trailer is never read
    const uint32_t wanted = std::min(chunkRemaining_, capacity - filled);
    const int received = socket_.Receive(destination + filled, static_cast<int>(wanted));
    // A peer that closes inside a chunk ends the body like an error.
    if (received <= 0) return false;
    filled += static_cast<uint32_t>(received);
    *delivered = filled;
    chunkRemaining_ -= static_cast<uint32_t>(received);
    if (chunkRemaining_ == 0) {
      // Drop the line end after the data, even when it comes in two pieces.
      char lineEnd[2];
      for (int dropped = 0; dropped < 2;) {
        const int count = socket_.Receive(lineEnd, 2 - dropped);
        if (count < 0) return false;
        if (count == 0) break;
        dropped += count;
      }
      chunkRemaining_ = kChunkSizeUnread;
    }
  }
  return filled != 0;
}

uint32_t HttpFetcher::ReadChunkSize() {
  ChunkSizeLine line;
  char window[kChunkSizeWindow];
  bool ended = false;
  // A closed connection or an error ends the line like a line feed.
  while (!ended && ReceiveThrough(socket_, window, sizeof window, line, ended) > 0) {
  }
  // Only a whole line of zero is the body's own end.
  bodyEnded_ = ended && line.Last();
  return line.Size();
}

uint32_t HttpFetcher::ParseHexSize(const char* text, std::size_t length) {
  if (!text || length > kLongestHexText) return 0;
  uint64_t value = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const char c = text[i];
    uint64_t digit = 0;
    if (c >= '0' && c <= '9')
      digit = static_cast<uint64_t>(c - '0');
    else if (c >= 'A' && c <= 'F')
      digit = static_cast<uint64_t>(c - 'A' + 10);
    else if (c >= 'a' && c <= 'f')
      digit = static_cast<uint64_t>(c - 'a' + 10);
    value = value * 16 + digit;
    if (value > kLargestChunkSize) return 0;
  }
  return static_cast<uint32_t>(value);
}
