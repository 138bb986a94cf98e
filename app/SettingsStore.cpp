#include "app/SettingsStore.h"

#include <cstring>
#include <vector>

namespace {

// The stored string value name, whatever its size; false when absent or not a string.
bool ReadStringValue(HKEY key, const char* name, std::vector<char>& bytes) {
  for (int attempt = 0; attempt < 3; ++attempt) {  // the value may grow between the calls
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ) return false;
    bytes.assign(size + 1, '\0');
    LONG status = RegQueryValueExA(key, name, nullptr, &type,
                                   reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (status == ERROR_SUCCESS) {
      bytes.resize(size);
      return type == REG_SZ;
    }
    if (status != ERROR_MORE_DATA) return false;
  }
  return false;
}

}  // namespace

void SettingsStore::LoadSettings(char (&text)[kKeywordBufferSize], int& cityRow) const {
  RegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, keyPath_.c_str(), KEY_READ)) return;

  std::vector<char> stored;
  if (ReadStringValue(key.Get(), "text", stored)) {
    std::size_t length = strnlen(stored.data(), stored.size());
    if (length > kKeywordBufferSize - 1) length = kKeywordBufferSize - 1;
    std::memset(text, 0, sizeof text);
    std::memcpy(text, stored.data(), length);
  }

  DWORD type = 0;
  DWORD row = 0;
  DWORD size = sizeof row;
  if (RegQueryValueExA(key.Get(), "city", nullptr, &type, reinterpret_cast<BYTE*>(&row), &size) ==
          ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof row) {
    cityRow = static_cast<int>(row);
  }
}

RegistryKey SettingsStore::SaveSettings(const char* text, int cityRow) const {
  RegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, keyPath_.c_str(), KEY_READ | KEY_WRITE)) {
    key.Create(HKEY_CURRENT_USER, keyPath_.c_str(), KEY_READ | KEY_WRITE);
  }
  if (!key.IsOpen()) return key;
  RegSetValueExA(key.Get(), "text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(std::strlen(text) + 1));
  DWORD row = static_cast<DWORD>(cityRow);
  RegSetValueExA(key.Get(), "city", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&row), sizeof row);
  return key;
}
