#pragma once

#include <windows.h>

// A modeless dialog from a layout resource whose every message goes through the
// derived class's message table (ProcessWindowMessage).
class CModelessDialog {
public:
  CModelessDialog() = default;
  CModelessDialog(const CModelessDialog&) = delete;
  CModelessDialog& operator=(const CModelessDialog&) = delete;

  // The message table: true when it handled msg, with its result in result.
  virtual BOOL ProcessWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result) = 0;
  virtual ~CModelessDialog();
  virtual DLGPROC GetDialogProc() { return DialogProc; }
  // After the last message of the window; the object may go then.
  virtual void OnFinalMessage(HWND /*window*/) {}

  HWND Create(HINSTANCE instance, int layoutId, HWND parent);
  HWND GetHwnd() const { return window_; }

protected:
  HWND window_ = nullptr;

private:
  static INT_PTR CALLBACK StartDialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
};

// Message-table entries for ProcessWindowMessage; each handler has the form
// LRESULT Handler(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled).
#define BEGIN_MSG_MAP()                                                                    \
  BOOL ProcessWindowMessage(HWND, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) \
      override {                                                                           \
    BOOL bHandled = TRUE;

#define MESSAGE_HANDLER(message, handler)                  \
  if (uMsg == (message)) {                                 \
    bHandled = TRUE;                                       \
    lResult = handler(uMsg, wParam, lParam, bHandled);     \
    if (bHandled) return TRUE;                             \
  }

// A WM_COMMAND from control id with notification code.
#define COMMAND_HANDLER(id, notifyCode, handler)                                              \
  if (uMsg == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (notifyCode)) {        \
    bHandled = TRUE;                                                                     \
    lResult = handler(uMsg, wParam, lParam, bHandled);                                   \
    if (bHandled) return TRUE;                                                           \
  }

// A WM_NOTIFY from control id with notification code.
#define NOTIFY_HANDLER(id, notifyCode, handler)                                                   \
  if (uMsg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->idFrom == (id) &&             \
      reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode)) {                 \
    bHandled = TRUE;                                                                        \
    lResult = handler(uMsg, wParam, lParam, bHandled);                                      \
    if (bHandled) return TRUE;                                                              \
  }

#define END_MSG_MAP() \
  (void)bHandled;     \
  return FALSE;       \
  }
