#include "net/HttpFetcher.h"

#include "net/BodyLimit.h"
#include "net/Gunzip.h"
#include "net/ReceiveThrough.h"
#include "net/SendFully.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>

namespace {

constexpr std::size_t kUrlBufferSize = 1024;
constexpr std::size_t kRequestBufferSize = 2048;
constexpr int kStatusUnread = 800;
constexpr unsigned kFirstFailingStatus = 300;
constexpr int kAssumedBodySize = 0x100000;
constexpr uint32_t kBodySlack = 500;
// A body longer than expected is cut at the first multiple of this at or past
// the expected length, whatever the size of the reads.
constexpr uint32_t kBodyStep = 500;
static_assert(kBodyStep <= kBodySlack, "the last step boundary must leave a zero byte in the buffer");
// Most body bytes asked for in one read: the buffer is there already, so a
// large block only saves receives.
constexpr uint32_t kBlockSize = 64 * 1024;
constexpr std::size_t kTransferEncodingSize = 200;
constexpr std::size_t kContentEncodingSize = 20;

bool EqualsIgnoringCase(const char* text, const char* lowerCase) {
  for (; *text && *lowerCase; ++text, ++lowerCase) {
    char c = *text;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != *lowerCase) return false;
  }
  return *text == *lowerCase;
}

// Finds the empty line that ends a header block: a line feed right after
// another, with only carriage returns between them.
struct HeaderBlockEnd {
  bool lineEnded = false;

  bool Feed(char byte) {
    if (byte == '\n') {
      if (lineEnded) return true;
      lineEnded = true;
    } else if (byte != '\r') {
      lineEnded = false;
    }
    return false;
  }
};

// Length of the text up to its first zero byte, at most limit.
std::size_t TextLength(const char* text, std::size_t limit) {
  return static_cast<std::size_t>(std::find(text, text + limit, '\0') - text);
}

}  // namespace

bool SplitUrl(const char* url, std::string& host, std::string& path) {
  if (!url) return false;
  const std::string_view text(url, TextLength(url, kUrlBufferSize));
  if (text.size() >= kUrlBufferSize) return false;
  // ':' and '/' are never the second byte of a GBK character, so a byte
  // search finds them where a character search would.
  std::size_t hostStart = text.find("://");
  hostStart = hostStart == std::string_view::npos ? 0 : hostStart + 3;
  const std::size_t slash = text.find('/', hostStart);
  if (slash == std::string_view::npos) {
    host.assign(text.substr(hostStart));
    path = "/";
  } else {
    host.assign(text.substr(hostStart, slash - hostStart));
    path.assign(text.substr(slash));
  }
  return true;
}

bool FetchPage(const char* host, const char* path, std::string& body) {
  FetchReport report;
  return FetchPage(host, path, RequestTimeouts(), nullptr, body, report);
}

bool FetchPage(const char* host, const char* path, RequestTimeouts timeouts, WaitHook* hook, std::string& body,
               FetchReport& report) {
  report = FetchReport();
  try {
    HttpFetcher fetcher(timeouts, hook);
    const bool fetched = fetcher.Get(host, path, body);
    report.timedOut = fetcher.TimedOut();
    report.lookupFailed = fetcher.LookupFailed();
    report.bodyWhole = fetched && fetcher.BodyWhole();
    return fetched;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

HttpFetcher::HttpFetcher(RequestTimeouts timeouts, WaitHook* hook) : socket_(timeouts, hook) {
  Socket::StartLibrary();
}

void HttpFetcher::Close() {
  socket_.Close();
  headerBuffer_.reset();
  bodyBuffer_.reset();
}

bool HttpFetcher::Connect(const char* host, int port) {
  if (!host || !*host) return false;
  return socket_.Open() && socket_.Connect(host, port);
}

bool HttpFetcher::SendRequest(const char* host, const char* path) {
  if (!host || !path) return false;
  char request[kRequestBufferSize] = {};
  const int length = std::snprintf(request, sizeof request,
                                   "GET %s HTTP/1.1\r\nHost: %s\r\nUser-Agent: Mozilla/5.0\r\nAccept: */*\r\n"
                                   "Accept-Encoding: gzip\r\nConnection: close\r\n\r\n",
                                   path, host);
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof request) return false;
  return SendFully(socket_, request, length);
}

bool HttpFetcher::ReadHeaders() {
  if (!headerBuffer_) headerBuffer_.reset(new char[kHeaderBufferSize]);
  std::fill_n(headerBuffer_.get(), kHeaderBufferSize, '\0');
  // Only the bytes up to the empty line are taken: the body stays on the
  // socket. The last byte of the buffer always stays zero: a longer block fails.
  HeaderBlockEnd blockEnd;
  bool ended = false;
  for (std::size_t stored = 0; !ended;) {
    const int room = static_cast<int>(kHeaderBufferSize - 1 - stored);
    if (room == 0) return false;
    const int taken = ReceiveThrough(socket_, headerBuffer_.get() + stored, room, blockEnd, ended);
    if (taken <= 0) return false;
    stored += static_cast<std::size_t>(taken);
  }
  char transferEncoding[kTransferEncodingSize] = {};
  if (GetHeaderValue("Transfer-Encoding", transferEncoding, sizeof transferEncoding) &&
      EqualsIgnoringCase(transferEncoding, "chunked"))
    chunked_ = 1;
  return true;
}

bool HttpFetcher::Get(const char* host, const char* path, std::string& body) {
  if (!path || !host) return false;
  if (!Connect(host, kPort) || !SendRequest(host, path) || !ReadHeaders()) return false;

  int status = kStatusUnread;
  GetStatusCode(&status);
  if (static_cast<unsigned>(status) >= kFirstFailingStatus) return false;

  int declared = 0;
  GetContentLength(&declared);
  int length = declared > 0 ? declared : kAssumedBodySize;
  // A longer body is cut, not refused: the buffer never grows past the limit
  // on the server's word, and the text kept is what a gzip body would give.
  length = std::min(length, static_cast<int>(kLongestBody));

  uint32_t total = 0;
  // A stopped request is dropped, not read as a body cut short.
  if (!ReadBody(length, total) || socket_.Stopped()) return false;
  // Whole when the body ended on its own terms: the declared length all
  // there, or without one the last chunk or the close before the assumed size.
  bool whole = declared > 0 && !chunked_ ? declared == length && total >= static_cast<uint32_t>(declared)
                                         : bodyEnded_;
  bool textWhole = false;
  if (!DecodeBody(total, body, textWhole)) return false;
  bodyWhole_ = whole && textWhole;
  return true;
}

bool HttpFetcher::ReadBody(int length, uint32_t& total) {
  const uint32_t expected = static_cast<uint32_t>(length);
  bodyBuffer_.reset(new (std::nothrow) char[expected + kBodySlack]());
  if (!bodyBuffer_) return false;
  // No read passes the last step boundary, which lies less than kBodySlack
  // bytes past the expected length: the body stays NUL-terminated.
  const uint32_t limit = (expected + kBodyStep - 1) / kBodyStep * kBodyStep;
  total = 0;
  uint32_t delivered = 0;
  for (bool more = true; more && total < expected;) {
    more = ReadBlock(bodyBuffer_.get() + total, std::min(kBlockSize, limit - total), &delivered);
    total += delivered;
  }
  return true;
}

bool HttpFetcher::DecodeBody(uint32_t total, std::string& body, bool& whole) const {
  const char* raw = bodyBuffer_.get();
  char contentEncoding[kContentEncodingSize] = {};
  if (!GetHeaderValue("Content-Encoding", contentEncoding, sizeof contentEncoding) ||
      !EqualsIgnoringCase(contentEncoding, "gzip")) {
    // The buffer's text, up to its first zero byte: the buffer always ends in one.
    body.assign(raw);
    whole = body.size() >= total;
    return true;
  }
  std::string text;
  if (!InflateGzipBody(raw, total, text, whole)) return false;
  body.swap(text);
  return true;
}
