#include "app/UnheldCharacterMessage.h"

#include "net/WideText.h"
#include "search/ProgramTexts.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

struct UnitRange {
  wchar_t first;
  wchar_t last;
};

// Characters that show nothing, or nothing of their own, in a message:
// format controls, separators, surrogates alone, private use.
constexpr UnitRange kUnseen[] = {{0x00AD, 0x00AD}, {0x200B, 0x200F}, {0x2028, 0x202E}, {0x2060, 0x206F},
                                 {0xD800, 0xDFFF}, {0xE000, 0xF8FF}, {0xFEFF, 0xFEFF}, {0xFFF0, 0xFFFF}};

bool Prints(wchar_t unit) {
  for (const UnitRange& range : kUnseen) {
    if (unit >= range.first && unit <= range.last) return false;
  }
  WORD type = 0;
  return GetStringTypeW(CT_CTYPE1, &unit, 1, &type) && (type & C1_DEFINED) && !(type & (C1_CNTRL | C1_SPACE));
}

// The character itself, or its code (a surrogate pair, one of the
// supplementary planes, is shown as it is).
std::wstring CharacterName(const std::wstring& text, std::size_t at) {
  const bool pair = IS_HIGH_SURROGATE(text[at]) && at + 1 < text.size() && IS_LOW_SURROGATE(text[at + 1]);
  if (pair) return text.substr(at, 2);
  if (Prints(text[at])) return text.substr(at, 1);
  wchar_t code[16];
  std::swprintf(code, sizeof code / sizeof code[0], L"U+%04X", static_cast<unsigned>(text[at]));
  return code;
}

}  // namespace

std::wstring UnheldCharacterMessage(const std::wstring& text, std::size_t at) {
  const char* format = kTextUnheldCharacter;
  const char* slot = std::strstr(format, "%s");
  return LocalToWide(std::string(format, slot)) + CharacterName(text, at) + LocalToWide(slot + 2);
}
