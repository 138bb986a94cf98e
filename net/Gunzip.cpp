#include "net/Gunzip.h"

#include "net/BodyLimit.h"

#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <memory>
#include <new>

namespace {
constexpr int kGzipWindowBits = 15 + 16;  // 32 KiB window, gzip wrapper only
constexpr Bytef kGzipMagic[2] = {0x1F, 0x8B};
}  // namespace

// Member after member, as gzip -d reads a file: another starts only where
// its magic bytes stand, and whatever else follows the last is ignored.
int Gunzip(char* output, uint32_t* capacity, const char* input, uint32_t inputLength, bool& ended) {
  ended = false;
  z_stream stream{};
  stream.next_in = reinterpret_cast<const Bytef*>(input);
  stream.avail_in = inputLength;
  stream.next_out = reinterpret_cast<Bytef*>(output);
  stream.avail_out = *capacity;
  int status = inflateInit2(&stream, kGzipWindowBits);
  if (status != Z_OK) return status;
  bool laterMember = false;
  uint32_t memberStart = 0;  // decoded bytes before the member being read
  // No Z_FINISH: a full output buffer or a truncated body then ends in Z_OK,
  // and the caller keeps what was decoded.
  while ((status = inflate(&stream, Z_NO_FLUSH)) == Z_STREAM_END) {
    if (stream.avail_in < 2 || stream.next_in[0] != kGzipMagic[0] || stream.next_in[1] != kGzipMagic[1]) {
      ended = true;
      break;
    }
    laterMember = true;
    memberStart = *capacity - stream.avail_out;
    inflateReset(&stream);
  }
  const uint32_t decoded = *capacity - stream.avail_out;
  inflateEnd(&stream);
  if (ended || status == Z_OK) {
    *capacity = decoded;
    return Z_OK;
  }
  // A corrupt later member ends the text where it starts.
  if (laterMember) {
    *capacity = memberStart;
    return Z_OK;
  }
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
