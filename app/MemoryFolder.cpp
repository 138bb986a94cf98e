#include "app/MemoryFolder.h"

#include "net/WideText.h"

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
  return WideToUtf8(folder);
}
