#include "search/ProgramTexts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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

}  // namespace
