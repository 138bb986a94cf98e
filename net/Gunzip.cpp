#include "net/Gunzip.h"

#include "net/BodyLimit.h"

#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <memory>
#include <new>

namespace {
constexpr int kGzipWindowBits = 15 + 16;  // 32 KiB window, gzip wrapper only
}  // namespace

int Gunzip(char* output, uint32_t* capacity, const char* input, uint32_t inputLength, bool& ended) {
  ended = false;
  z_stream stream{};
  stream.next_in = reinterpret_cast<const Bytef*>(input);
  stream.avail_in = inputLength;
  stream.next_out = reinterpret_cast<Bytef*>(output);
  stream.avail_out = *capacity;
  int status = inflateInit2(&stream, kGzipWindowBits);
  if (status != Z_OK) return status;
  // No Z_FINISH: a full output buffer or a truncated body then ends in Z_OK,
  // and the caller keeps what was decoded.
  status = inflate(&stream, Z_NO_FLUSH);
  if (status == Z_STREAM_END || status == Z_OK) *capacity = static_cast<uint32_t>(stream.total_out);
  if (status == Z_STREAM_END) {
    ended = true;
    return inflateEnd(&stream);
  }
  inflateEnd(&stream);
  if (status == Z_NEED_DICT || (status == Z_BUF_ERROR && stream.avail_in == 0)) return Z_DATA_ERROR;
  return status;
}

bool InflateGzipBody(const char* input, uint32_t inputLength, std::string& text, bool& whole) {
  // Not zero-filled: only the decoded part is read, and 2 MiB of zeros per
  // page would cost more than reading a small page.
  std::unique_ptr<char[]> inflated(new (std::nothrow) char[kLongestBody]);
  if (!inflated) return false;
  uint32_t size = kLongestBody;
  bool ended = false;
  if (Gunzip(inflated.get(), &size, input, inputLength, ended) != 0) return false;
  const char* begin = inflated.get();
  const char* end = begin + size;
  const char* zero = std::find(begin, end, '\0');
  text.assign(begin, zero);
  whole = ended && zero == end;
  return true;
}
