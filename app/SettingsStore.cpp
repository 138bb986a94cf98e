#include "app/SettingsStore.h"

#include "net/WideText.h"

#include <cwchar>
#include <vector>

namespace {

// The stored string value name up to its first zero unit, whatever its size;
// false when absent or not a string.
bool ReadStringValue(HKEY key, const wchar_t* name, std::wstring& text) {
  for (int attempt = 0; attempt < 3; ++attempt) {  // the value may grow between the calls
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ) return false;
    std::vector<wchar_t> units(size / sizeof(wchar_t) + 1, L'\0');  // room for an odd last byte
    LONG status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(units.data()), &size);
    if (status == ERROR_SUCCESS) {
      const std::size_t count = size / sizeof(wchar_t);
      text.assign(units.data(), wcsnlen(units.data(), count));
      return type == REG_SZ;
    }
    if (status != ERROR_MORE_DATA) return false;
  }
  return false;
}

}  // namespace

void SettingsStore::LoadSettings(std::wstring& text, int& cityRow) const {
  RegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, keyPath_.c_str(), KEY_READ)) return;

  std::wstring stored;
  if (ReadStringValue(key.Get(), L"text", stored)) {
    stored.resize(FitToLocal(stored, kKeywordBufferSize - 1).units);
    text.swap(stored);
  }

  DWORD type = 0;
  DWORD row = 0;
  DWORD size = sizeof row;
  if (RegQueryValueExW(key.Get(), L"city", nullptr, &type, reinterpret_cast<BYTE*>(&row), &size) ==
          ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof row) {
    cityRow = static_cast<int>(row);
  }
}

// The text goes in as UTF-16, terminator included: the same value that the
// ANSI function stores from GBK on a Chinese system, and the characters GBK
// lacks too.
RegistryKey SettingsStore::SaveSettings(const std::wstring& text, int cityRow) const {
  RegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, keyPath_.c_str(), KEY_READ | KEY_WRITE)) {
    key.Create(HKEY_CURRENT_USER, keyPath_.c_str(), KEY_READ | KEY_WRITE);
  }
  if (!key.IsOpen()) return key;
  RegSetValueExW(key.Get(), L"text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  DWORD row = static_cast<DWORD>(cityRow);
  RegSetValueExW(key.Get(), L"city", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&row), sizeof row);
  return key;
}
