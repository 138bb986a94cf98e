// The local code page is GBK, converted with the C library's iconv.
#include "net/LocalCodePage.h"
#include "net/TextConversion.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr char kLocalCodePage[] = "GBK";

class Converter {
public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() {
    if (IsOpen()) iconv_close(handle_);
  }
  bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  // Like iconv, from a fresh shift state.
  std::size_t Convert(char** in, std::size_t* inLeft, char** out, std::size_t* outLeft) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    return iconv(handle_, in, inLeft, out, outLeft);
  }

private:
  iconv_t handle_;
};

constexpr std::size_t kFailed = static_cast<std::size_t>(-1);

}  // namespace

int ConvertUnitToLocal(char16_t unit, char (&out)[2]) {
  // Opened once per thread: whole pages are converted one unit at a time.
  thread_local Converter toLocal(kLocalCodePage, "UTF-16LE");
  if (!toLocal.IsOpen()) return 0;
  char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  char* inCursor = in;
  std::size_t inLeft = sizeof in;
  char* outCursor = out;
  std::size_t outLeft = sizeof out;
  if (toLocal.Convert(&inCursor, &inLeft, &outCursor, &outLeft) == kFailed) return 0;
  return static_cast<int>(sizeof out - outLeft);
}

std::string LocalToUtf8(const char* local) {
  if (!local || !*local) return std::string();
  Converter toUtf8("UTF-8", kLocalCodePage);
  if (!toUtf8.IsOpen()) return std::string();
  std::string input(local);
  // A local byte never gives more than three UTF-8 bytes: the single byte
  // 0x80 is the euro sign, a pair is one character of the 16-bit range.
  std::string output(input.size() * 3 + 4, '\0');
  char* inCursor = &input[0];
  std::size_t inLeft = input.size();
  char* outCursor = &output[0];
  std::size_t outLeft = output.size();
  while (inLeft > 0 && outLeft > 0) {
    if (toUtf8.Convert(&inCursor, &inLeft, &outCursor, &outLeft) != kFailed) break;
    if (errno != EILSEQ && errno != EINVAL) break;
    // A byte that starts no character becomes "?"; a cut-off last character
    // ends the text there.
    *outCursor++ = '?';
    --outLeft;
    if (errno == EINVAL) break;
    ++inCursor;
    --inLeft;
  }
  output.resize(static_cast<std::size_t>(outCursor - output.data()));
  return output;
}
