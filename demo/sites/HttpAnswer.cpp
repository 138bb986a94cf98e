#include "demo/sites/HttpAnswer.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    default: return "Error";
  }
}

// Chunks of changing sizes, some above what a client reads at once, so the
// framing is crossed at many places.
std::string Chunked(const std::string& body) {
  static const std::size_t kSizes[] = {700, 123, 1500, 37, 512};
  std::string out;
  std::size_t at = 0;
  for (std::size_t i = 0; at < body.size(); ++i) {
    std::size_t size = std::min(kSizes[i % 5], body.size() - at);
    char line[32];
    std::snprintf(line, sizeof line, "%lx\r\n", static_cast<unsigned long>(size));
    out += line;
    out += body.substr(at, size);
    out += "\r\n";
    at += size;
  }
  return out + "0\r\n\r\n";
}

}  // namespace

std::string GzipText(const std::string& text) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY) != Z_OK) return "";
  std::vector<unsigned char> out(deflateBound(&stream, static_cast<uLong>(text.size())) + 32);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  int result = deflate(&stream, Z_FINISH);
  std::size_t produced = stream.total_out;
  deflateEnd(&stream);
  if (result != Z_STREAM_END) return "";
  return std::string(reinterpret_cast<const char*>(out.data()), produced);
}

std::string BuildAnswer(int status, const std::string& body, const AnswerOptions& options) {
  std::string content = options.gzip ? GzipText(body) : body;
  std::string head = "HTTP/1.1 " + std::to_string(status) + " " + Reason(status) + "\r\n";
  head += "Server: fakesites\r\nContent-Type: text/html; charset=utf-8\r\n";
  if (options.gzip) head += "Content-Encoding: gzip\r\nVary: Accept-Encoding\r\n";
  if (options.chunked) head += "Transfer-Encoding: chunked\r\n";
  else head += "Content-Length: " + std::to_string(content.size()) + "\r\n";
  head += "Connection: close\r\n\r\n";
  return head + (options.chunked ? Chunked(content) : content);
}
