#include "app/DesktopShell.h"

#include "net/WideText.h"

bool DesktopShell::NotifyIcon(DWORD action, NOTIFYICONDATAW& icon) {
  return Shell_NotifyIconW(action, &icon) != FALSE;
}

void DesktopShell::OpenAddress(HWND owner, const std::string& address) {
  ShellExecuteW(owner, L"open", LocalToWide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
