// The local code page is GBK, code page 936 by number: the system's own code
// page for non-Unicode programs may be any other.
#include "net/LocalCodePage.h"
#include "net/TextConversion.h"
#include "net/WideText.h"

#include <windows.h>

namespace {

constexpr UINT kLocalCodePage = 936;

std::string WideTo(UINT codePage, const std::wstring& wide) {
  const int units = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(codePage, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), units, &text[0], bytes, nullptr, nullptr);
  return text;
}

// Neither GBK nor UTF-8 ever needs more UTF-16 units than it has bytes: one call.
void ToWide(UINT codePage, const std::string& text, std::wstring& wide) {
  const int bytes = static_cast<int>(text.size());
  wide.resize(text.size());
  const int units = bytes == 0 ? 0 : MultiByteToWideChar(codePage, 0, text.data(), bytes, &wide[0], bytes);
  wide.resize(static_cast<std::size_t>(units > 0 ? units : 0));
}

}  // namespace

int ConvertUnitToLocal(char16_t unit, char (&out)[2]) {
  const wchar_t wide = static_cast<wchar_t>(unit);
  return WideCharToMultiByte(kLocalCodePage, 0, &wide, 1, out, sizeof out, nullptr, nullptr);
}

std::wstring LocalToWide(const std::string& local) {
  std::wstring wide;
  LocalToWide(local, wide);
  return wide;
}

void LocalToWide(const std::string& local, std::wstring& wide) { ToWide(kLocalCodePage, local, wide); }

std::string WideToLocal(const std::wstring& wide) { return WideTo(kLocalCodePage, wide); }

std::wstring Utf8ToWide(const std::string& utf8) {
  std::wstring wide;
  ToWide(CP_UTF8, utf8, wide);
  return wide;
}

std::string WideToUtf8(const std::wstring& wide) { return WideTo(CP_UTF8, wide); }

std::string LocalToUtf8(const char* local) {
  if (!local) return std::string();
  return WideTo(CP_UTF8, LocalToWide(local));
}

LocalFit FitToLocal(const std::wstring& wide, std::size_t maxBytes) {
  constexpr wchar_t kNoBreakSpace = 0x00A0;
  constexpr std::size_t kUnheldBytes = 2;
  LocalFit fit;
  std::size_t bytesUsed = 0;
  while (fit.units < wide.size()) {
    const bool pair = IS_HIGH_SURROGATE(wide[fit.units]) && fit.units + 1 < wide.size() &&
                      IS_LOW_SURROGATE(wide[fit.units + 1]);
    std::wstring character = wide.substr(fit.units, pair ? 2 : 1);
    if (character[0] == kNoBreakSpace) character[0] = L' ';
    // Windows quietly best-fits some characters (¥ to ￥): held means back unchanged.
    const std::string bytes = WideToLocal(character);
    const bool held = !bytes.empty() && LocalToWide(bytes) == character;
    const std::size_t size = held ? bytes.size() : kUnheldBytes;
    if (bytesUsed + size > maxBytes) break;
    bytesUsed += size;
    if (held)
      fit.local += bytes;
    else if (fit.unheld == LocalFit::kAllHeld)
      fit.unheld = fit.units;
    fit.units += character.size();
  }
  return fit;
}
