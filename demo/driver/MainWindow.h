#pragma once

#include <windows.h>

// The running program's main window, waited for a generous minute; on the
// named desktop when given (windows of another desktop refuse messages).
HWND WaitForMainWindow(const char* desktopName);

// Presses Query as a click does. The press is sent, so it returns when the
// search inside the click is over; false when it did not end in five minutes.
bool PressQuery(HWND window);
