#include "net/HttpFetcher.h"

#include "net/Gunzip.h"
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
// A larger "Content-Length" is refused rather than allocated on the server's word.
constexpr int kLargestBodySize = 16 * 1024 * 1024;
constexpr uint32_t kBodySlack = 500;
constexpr uint32_t kBlockSize = 500;
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
  try {
    HttpFetcher fetcher;
    return fetcher.Get(host, path, body);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

HttpFetcher::HttpFetcher() { Socket::StartLibrary(); }

void HttpFetcher::Close() {
  socket_.Close();
  headerBuffer_.reset();
  bodyBuffer_.reset();
}

bool HttpFetcher::Connect(const char* host, int port) {
  if (!host || !*host) return false;
  return socket_.Open(kTimeoutMs) && socket_.Connect(host, port);
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
  // One byte per receive, so that the body stays on the socket. The last byte
  // of the buffer always stays zero: a longer block fails.
  bool lineEnded = false;
  for (std::size_t stored = 0; stored < kHeaderBufferSize - 1;) {
    char byte;
    if (socket_.Receive(&byte, 1) != 1) return false;
    headerBuffer_[stored++] = byte;
    if (byte == '\n') {
      if (lineEnded) {
        char transferEncoding[kTransferEncodingSize] = {};
        if (GetHeaderValue("Transfer-Encoding", transferEncoding, sizeof transferEncoding) &&
            EqualsIgnoringCase(transferEncoding, "chunked"))
          chunked_ = 1;
        return true;
      }
      lineEnded = true;
    } else if (byte != '\r') {
      lineEnded = false;
    }
  }
  return false;
}

bool HttpFetcher::Get(const char* host, const char* path, std::string& body) {
  if (!path || !host) return false;
  if (!Connect(host, kPort) || !SendRequest(host, path) || !ReadHeaders()) return false;

  int status = kStatusUnread;
  GetStatusCode(&status);
  if (static_cast<unsigned>(status) >= kFirstFailingStatus) return false;

  int length = 0;
  GetContentLength(&length);
  if (length < 0) length = 0;
  if (length > kLargestBodySize) return false;
  if (length == 0) length = kAssumedBodySize;

  uint32_t total = 0;
  return ReadBody(length, total) && DecodeBody(total, body);
}

bool HttpFetcher::ReadBody(int length, uint32_t& total) {
  const uint32_t expected = static_cast<uint32_t>(length);
  bodyBuffer_.reset(new (std::nothrow) char[expected + kBodySlack]());
  if (!bodyBuffer_) return false;
  // Every read starts below the expected length and takes at most kBlockSize
  // bytes, so the body never reaches the end of the buffer and stays NUL-terminated.
  total = 0;
  uint32_t delivered = 0;
  while (ReadBlock(bodyBuffer_.get() + total, kBlockSize, &delivered)) {
    total += delivered;
    if (total >= expected) break;
  }
  return true;
}

bool HttpFetcher::DecodeBody(uint32_t total, std::string& body) const {
  const char* raw = bodyBuffer_.get();
  char contentEncoding[kContentEncodingSize] = {};
  if (!GetHeaderValue("Content-Encoding", contentEncoding, sizeof contentEncoding) ||
      !EqualsIgnoringCase(contentEncoding, "gzip")) {
    // The buffer's text, which keeps the bytes of a last read that failed
    // (a chunk cut off by the peer); the buffer always ends in a zero byte.
    body.assign(raw);
    return true;
  }
  std::string text;
  if (!InflateGzipBody(raw, total, text)) return false;
  body.swap(text);
  return true;
}
