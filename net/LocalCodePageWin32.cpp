// The local code page is the system's ANSI code page.
#include "net/LocalCodePage.h"
#include "net/TextConversion.h"

#include <windows.h>

#include <vector>

int ConvertUnitToLocal(char16_t unit, char (&out)[2]) {
  const wchar_t wide = static_cast<wchar_t>(unit);
  return WideCharToMultiByte(CP_ACP, 0, &wide, 1, out, sizeof out, nullptr, nullptr);
}

std::string LocalToUtf8(const char* local) {
  if (!local) return std::string();
  const int units = MultiByteToWideChar(CP_ACP, 0, local, -1, nullptr, 0);
  if (units <= 0) return std::string();
  std::vector<wchar_t> wide(static_cast<std::size_t>(units) + 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, local, -1, wide.data(), units);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::vector<char> utf8(static_cast<std::size_t>(bytes) + 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, utf8.data(), bytes, nullptr, nullptr);
  return std::string(utf8.data());
}
