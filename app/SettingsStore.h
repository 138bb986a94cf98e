#pragma once

#include "app/RegistryKey.h"

#include <cstddef>
#include <string>

// The keyword buffer: at most 1023 bytes of text and the terminating zero.
constexpr std::size_t kKeywordBufferSize = 1024;

constexpr const char* kSettingsKeyPath = "software\\nestari";

// The last keyword text ("text", REG_SZ) and city row ("city", REG_DWORD) of the
// current user, under HKEY_CURRENT_USER.
class SettingsStore {
public:
  explicit SettingsStore(std::string keyPath = kSettingsKeyPath) : keyPath_(std::move(keyPath)) {}

  // The caller fills both with the defaults; what is stored overwrites them.
  // The text is UTF-16, as typed, here and in the registry. A stored text is
  // cut where a search cuts it (1023 bytes of GBK, whole characters); a
  // "city" that is not a 4-byte number leaves the row as it was.
  void LoadSettings(std::wstring& text, int& cityRow) const;
  // Stores both values; the key is handed back open so that the caller closes it
  // when its search ends. Failures lose the values silently.
  RegistryKey SaveSettings(const std::wstring& text, int cityRow) const;

  const std::string& KeyPath() const { return keyPath_; }

private:
  std::string keyPath_;
};
