#pragma once

#include "net/TimedSocket.h"

#include <cstdint>
#include <memory>
#include <string>

// Cuts a URL into host (port included, if any) and path ("/" plus the rest,
// query kept). False for a null URL or one of 1024 bytes or more; the outputs
// then keep their content.
bool SplitUrl(const char* url, std::string& host, std::string& path);

// Fetches path from host on port 80 with one HTTP/1.1 GET. True: body holds the
// response body (de-chunked, inflated) as text. False: body is unchanged.
bool FetchPage(const char* host, const char* path, std::string& body);

// What a fetch knows beyond the body's text.
struct FetchReport {
  // The request ran out of time, even when it returned what had arrived by then.
  bool timedOut = false;
  // The text holds the whole body: not cut at a limit, a time-out, an early
  // close, a broken gzip stream or a zero byte.
  bool bodyWhole = false;
  // The host's name gave no address.
  bool lookupFailed = false;
};
// The same under the caller's timeouts; hook, if any, is asked during the
// waits and may stop the request, which then fails.
bool FetchPage(const char* host, const char* path, RequestTimeouts timeouts, WaitHook* hook, std::string& body,
               FetchReport& report);

// The client of one request: FetchPage makes one, calls Get and destroys it.
class HttpFetcher {
public:
  static constexpr int kPort = 80;
  static constexpr std::size_t kHeaderBufferSize = 1024;
  static constexpr uint32_t kChunkSizeUnread = 0xFFFFFFFFu;

  explicit HttpFetcher(RequestTimeouts timeouts = RequestTimeouts(), WaitHook* hook = nullptr);
  HttpFetcher(const HttpFetcher&) = delete;
  HttpFetcher& operator=(const HttpFetcher&) = delete;
  ~HttpFetcher() { Close(); }

  // The whole exchange: connect, request, headers, status, body, decoding.
  // False, with body unchanged, also when the hook stopped it.
  bool Get(const char* host, const char* path, std::string& body);
  void Close();
  // Whether the request ran out of time at some step, even if Get succeeded.
  bool TimedOut() const { return socket_.TimedOut(); }
  bool LookupFailed() const { return socket_.LookupFailed(); }
  // After a successful Get: whether body holds the whole of the body.
  bool BodyWhole() const { return bodyWhole_; }

  bool Connect(const char* host, int port);
  bool SendRequest(const char* host, const char* path);
  bool ReadHeaders();

  // Queries on the header block; false leaves the output as it was.
  bool GetStatusCode(int* code) const;
  bool GetContentLength(int* length) const;
  bool GetHeaderValue(const char* name, char* destination, std::size_t size) const;

  // The next piece of the body, at most capacity bytes, chunk framing removed.
  // False at the end of the body (closed, error, time-out, last chunk);
  // delivered then still counts what this call placed before the end.
  bool ReadBlock(char* destination, uint32_t capacity, uint32_t* delivered);
  uint32_t ReadChunkSize();
  // Hexadecimal value of a chunk-size text; a character that is no hex digit
  // counts as 0. Texts longer than 32 characters and values of 2^31 or more
  // give 0, which ends the body, though not as its proper end.
  static uint32_t ParseHexSize(const char* text, std::size_t length);

private:
  bool ReadBody(int length, uint32_t& total);
  bool DecodeBody(uint32_t total, std::string& body, bool& whole) const;

  TimedSocket socket_;
  std::unique_ptr<char[]> headerBuffer_;
  std::unique_ptr<char[]> bodyBuffer_;
  int32_t chunked_ = 0;
  uint32_t chunkRemaining_ = kChunkSizeUnread;
  bool bodyEnded_ = false;  // the body's own end came: a plain body's close, or the last chunk
  bool bodyWhole_ = false;
};
