#include "app/RegistryKey.h"

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
  if (RegOpenKeyExA(root, path, 0, access, &key) != ERROR_SUCCESS) return false;
  key_ = key;
  return true;
}

bool RegistryKey::Create(HKEY root, const char* path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  key_ = key;
  return true;
}

void RegistryKey::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}
