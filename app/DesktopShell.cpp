#include "app/DesktopShell.h"

bool DesktopShell::NotifyIcon(DWORD action, NOTIFYICONDATAA& icon) {
  return Shell_NotifyIconA(action, &icon) != FALSE;
}

void DesktopShell::OpenAddress(HWND owner, const std::string& address) {
  ShellExecuteA(owner, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
