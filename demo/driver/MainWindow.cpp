#include "demo/driver/MainWindow.h"

#include "app/resource.h"
#include "search/ProgramTexts.h"

HWND WaitForMainWindow(const char* desktopName) {
  bool onDesktop = desktopName == nullptr;
  for (int attempt = 0; attempt < 600; ++attempt, Sleep(100)) {
    if (!onDesktop) {
      HDESK desktop = OpenDesktopA(desktopName, 0, FALSE, GENERIC_ALL);
      if (!desktop) continue;
      onDesktop = SetThreadDesktop(desktop) != FALSE;
    }
    HWND window = FindWindowA("#32770", kTextWindowTitle);
    if (window && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

bool PressQuery(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(GetDlgItem(window, IDC_QUERY), BM_CLICK, 0, 0, SMTO_NORMAL, 300000, &ignored) != 0;
}
