#pragma once

#include <string>

// How the fake sites send their pages.
struct AnswerOptions {
  bool gzip = false;     // Content-Encoding: gzip
  bool chunked = false;  // Transfer-Encoding: chunked, in chunks of several sizes
};

// A whole HTTP/1.1 response with a UTF-8 HTML body.
std::string BuildAnswer(int status, const std::string& body, const AnswerOptions& options);

// The body as one gzip member; empty if zlib fails.
std::string GzipText(const std::string& text);
