#include "search/ProgramTexts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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

// The manifest as Windows reads it when it starts the program: an activation
// context made from the built file's manifest resource.
TEST(NestariProcess, ManifestAsksForCurrentControlsScalingPerMonitorAndNoElevation) {
  std::string path = ProgramPath();
  HMODULE file = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(file, nullptr) << path;
  HRSRC resource = FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // the process manifest
  ASSERT_NE(resource, nullptr);
  std::string text(static_cast<const char*>(LockResource(LoadResource(file, resource))),
                   SizeofResource(file, resource));
  FreeLibrary(file);
  // The program converts its GBK texts itself: the system's code page stays.
  EXPECT_EQ(text.find("<activeCodePage"), std::string::npos);
  for (const char* os : {"e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
                         "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
                         "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
    EXPECT_NE(text.find(os), std::string::npos) << os;  // Vista, 7, 8, 8.1, 10 and 11
  }

  ACTCTXA request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path.c_str();
  request.lpResourceName = MAKEINTRESOURCEA(1);
  HANDLE context = CreateActCtxA(&request);
  ASSERT_NE(context, INVALID_HANDLE_VALUE) << GetLastError();

  auto setting = [context](const wchar_t* space, const wchar_t* name) {
    wchar_t value[128] = {};
    SIZE_T written = 0;
    if (!QueryActCtxSettingsW(0, context, space, name, value, 127, &written)) return std::wstring(L"<none>");
    return std::wstring(value);
  };
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"PerMonitorV2, System");
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true");

  ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel{};
  ASSERT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &runLevel,
                           sizeof runLevel, nullptr));
  EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
  EXPECT_EQ(runLevel.UiAccess, 0u);

  DWORD compatibility[64] = {};  // the count, then one element per supported system
  ASSERT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, compatibility,
                           sizeof compatibility, nullptr));
  EXPECT_EQ(compatibility[0], 5u);

  // The first assembly is the program's own; the second the one it depends on.
  std::vector<char> detail(4096);
  DWORD index = 2;
  ASSERT_TRUE(QueryActCtxW(0, context, &index, AssemblyDetailedInformationInActivationContext, detail.data(),
                           detail.size(), nullptr));
  std::wstring identity =
      reinterpret_cast<ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(detail.data())->lpAssemblyEncodedAssemblyIdentity;
  std::transform(identity.begin(), identity.end(), identity.begin(), towlower);
  EXPECT_NE(identity.find(L"microsoft.windows.common-controls"), std::wstring::npos);
  EXPECT_NE(identity.find(L"version=\"6.0."), std::wstring::npos);
  EXPECT_NE(identity.find(L"6595b64144ccf1df"), std::wstring::npos);
  ReleaseActCtx(context);
}

}  // namespace
