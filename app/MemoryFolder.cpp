#include "app/MemoryFolder.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

std::string LocalMemoryFolder() {
  PWSTR found = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &found))) folder = found;
  CoTaskMemFree(found);  // owed even when the call failed
  if (folder.empty()) return {};
  folder += L"\\Nestari";
  const int units = static_cast<int>(folder.size());
  std::string utf8(WideCharToMultiByte(CP_UTF8, 0, folder.data(), units, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, folder.data(), units, utf8.data(), static_cast<int>(utf8.size()), nullptr,
                      nullptr);
  return utf8;
}
