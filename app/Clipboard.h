#pragma once

#include <windows.h>

#include <string>

// Puts a GBK text on the clipboard as Unicode text (CF_UNICODETEXT), in place
// of whatever it held; owner is the window that takes the clipboard. True
// when the clipboard has it.
bool PutClipboardText(HWND owner, const std::string& local);
