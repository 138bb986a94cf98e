#include "app/RegistryKey.h"

#include "net/WideText.h"

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = other.key_;
    other.key_ = nullptr;
  }
  return *this;
}

bool RegistryKey::Open(HKEY root, const char* path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, LocalToWide(path).c_str(), 0, access, &key) != ERROR_SUCCESS) return false;
  key_ = key;
  return true;
}

bool RegistryKey::Create(HKEY root, const char* path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, LocalToWide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  key_ = key;
  return true;
}

void RegistryKey::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}
