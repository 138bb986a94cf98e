#include "search/ProgramTexts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Wine shows the Linux root as drive Z:.
std::string ProgramPath() {
  std::string path = std::string("Z:") + NESTARI_EXE;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char title[64] = {};
  if (owner == search->processId && IsWindowVisible(window) && GetWindowTextA(window, title, sizeof title) &&
      std::string(title) == kTextWindowTitle) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForWindow(DWORD processId) {
  for (int attempt = 0; attempt < 600; ++attempt) {  // a generous minute for a cold start
    WindowSearch search{processId, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(100);
  }
  return nullptr;
}

TEST(NestariProcess, ShowsItsWindowAndExitsWithZeroWhenClosed) {
  std::string path = ProgramPath();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process))
      << path;
  HWND window = WaitForWindow(process.dwProcessId);
  EXPECT_NE(window, nullptr);
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD waited = WaitForSingleObject(process.hProcess, 60000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
  EXPECT_EQ(waited, WAIT_OBJECT_0);
  DWORD exitCode = 99;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

// What Explorer shows in the file's properties, read back from the built file.
TEST(NestariProcess, FilePropertiesNameTheProgramAndItsVersion) {
  std::string path = ProgramPath();
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
  ASSERT_GT(size, 0u) << path;
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0804);
  EXPECT_EQ(translation[1], 936);

  const std::pair<const char*, const char*> strings[] = {{"ProductName", "Nestari"},
                                                         {"OriginalFilename", "nestari.exe"},
                                                         {"FileVersion", "1.0.0.0"},
                                                         {"ProductVersion", "1.0.0.0"},
                                                         {"FileDescription", "Nestari rental listings search"}};
  for (const auto& [name, expected] : strings) {
    char* value = nullptr;
    std::string key = std::string("\\StringFileInfo\\080403A4\\") + name;
    ASSERT_TRUE(VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
    EXPECT_STREQ(value, expected) << name;
  }
}

}  // namespace
