#include "net/TextConversion.h"

#include "net/LocalCodePage.h"

#include <cstring>

uint32_t DecodeUtf8Char(const char*& cursor) {
  const unsigned char first = static_cast<unsigned char>(*cursor++);
  if (first < 0x80) return first;
  // Only bits 5 to 3 decide the length: a stray continuation byte in first
  // place starts a sequence of its own.
  int continuations;
  uint32_t codePoint;
  if (!(first & 0x20)) {
    continuations = 1;
    codePoint = first & 0x1F;
  } else if (!(first & 0x10)) {
    continuations = 2;
    codePoint = first & 0x0F;
  } else if (!(first & 0x08)) {
    continuations = 3;
    codePoint = first & 0x07;
  } else {
    return kUtf8Error;
  }
  for (; continuations > 0; --continuations) {
    const unsigned char next = static_cast<unsigned char>(*cursor);
    if (next < 0x80) return kUtf8Error;  // not consumed: a NUL is never passed
    codePoint = codePoint * 64 + (next & 0x3F);
    ++cursor;
  }
  return codePoint;
}

std::string Utf8ToLocal(const char* utf8) {
  std::string local;
  if (!utf8 || !*utf8) return local;
  // No character grows in the conversion: one reservation is enough.
  local.reserve(std::strlen(utf8) + 4);
  for (const char* cursor = utf8; *cursor;) {
    const uint32_t codePoint = DecodeUtf8Char(cursor);
    if (codePoint < 0x80) {
      local += static_cast<char>(codePoint);  // ASCII is itself in the local code page
      continue;
    }
    char bytes[2];
    const int count = codePoint > 0xFFFF ? 0 : ConvertUnitToLocal(static_cast<char16_t>(codePoint), bytes);
    if (count > 0)
      local.append(bytes, static_cast<std::size_t>(count));
    else
      local += '?';
  }
  return local;
}
