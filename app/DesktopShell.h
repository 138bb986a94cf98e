#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

// The two shell services the dialog uses: the notification-area icon and
// opening an address in the default browser. Tests put a recorder in their place.
class DesktopShell {
public:
  virtual ~DesktopShell() = default;
  // Shell_NotifyIconW; true when the shell did it.
  virtual bool NotifyIcon(DWORD action, NOTIFYICONDATAW& icon);
  // ShellExecuteW with the verb "open", no parameters, no folder, shown normally;
  // the address in GBK.
  virtual void OpenAddress(HWND owner, const std::string& address);
};
