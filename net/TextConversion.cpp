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

namespace {

// The local bytes of every UTF-16 unit, asked of the system once per process
// rather than once per character of every page.
class UnitTable {
public:
  UnitTable() {
    for (uint32_t unit = 0x80; unit <= 0xFFFF; ++unit) {
      Entry& entry = entries_[unit];
      entry.count = static_cast<unsigned char>(ConvertUnitToLocal(static_cast<char16_t>(unit), entry.bytes));
    }
  }
  // Appends the unit's local bytes, or "?" when it has none.
  void Append(uint32_t unit, std::string& out) const {
    const Entry& entry = entries_[unit];
    if (entry.count > 0)
      out.append(entry.bytes, entry.count);
    else
      out += '?';
  }

private:
  struct Entry {
    unsigned char count = 0;
    char bytes[2] = {};
  };
  Entry entries_[0x10000];
};

const UnitTable& LocalUnits() {
  static const UnitTable table;
  return table;
}

}  // namespace

std::string Utf8ToLocal(const char* utf8) {
  std::string local;
  if (!utf8 || !*utf8) return local;
  // No character grows in the conversion: one reservation is enough.
  local.reserve(std::strlen(utf8) + 4);
  const UnitTable& units = LocalUnits();
  for (const char* cursor = utf8; *cursor;) {
    const uint32_t codePoint = DecodeUtf8Char(cursor);
    if (codePoint < 0x80)
      local += static_cast<char>(codePoint);  // ASCII is itself in the local code page
    else if (codePoint > 0xFFFF)
      local += '?';  // beyond one UTF-16 unit, or the decoding error value
    else
      units.Append(codePoint, local);
  }
  return local;
}
