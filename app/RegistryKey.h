#pragma once

#include <windows.h>

// An open registry key, closed when it goes out of scope.
class RegistryKey {
public:
  RegistryKey() = default;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  RegistryKey(RegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  ~RegistryKey() { Close(); }

  bool Open(HKEY root, const char* path, REGSAM access);
  bool Create(HKEY root, const char* path, REGSAM access);
  void Close();
  bool IsOpen() const { return key_ != nullptr; }
  HKEY Get() const { return key_; }

private:
  HKEY key_ = nullptr;
};
