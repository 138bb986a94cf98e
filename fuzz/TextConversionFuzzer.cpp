// Arbitrary bytes both ways through the code-page conversions.
#include "net/TextConversion.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string local = Utf8ToLocal(text.c_str());
  // Nothing grows: one to four UTF-8 bytes give one or two local bytes or one "?".
  if (local.size() > text.size()) abort();
  std::string utf8 = LocalToUtf8(text.c_str());
  Utf8ToLocal(utf8.c_str());
  LocalToUtf8(local.c_str());
  return 0;
}
