#include "app/ModelessDialog.h"

// The derived part is gone by now: the window, if still there, no longer
// reaches the object while it is destroyed.
CModelessDialog::~CModelessDialog() {
  if (!window_) return;
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

HWND CModelessDialog::Create(HINSTANCE instance, int layoutId, HWND parent) {
  return CreateDialogParamW(instance, MAKEINTRESOURCEW(layoutId), parent, StartDialogProc,
                            reinterpret_cast<LPARAM>(this));
}

// Binds the object to its window at the first message and hands over to the
// dialog procedure that the object names. Set through the wide function, so
// that the procedure stays Unicode: the ANSI one would make it ANSI again.
INT_PTR CALLBACK CModelessDialog::StartDialogProc(HWND window, UINT msg, WPARAM wParam,
                                                  LPARAM lParam) {
  if (msg != WM_INITDIALOG) return FALSE;
  auto* dialog = reinterpret_cast<CModelessDialog*>(lParam);
  dialog->window_ = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
  SetWindowLongPtrW(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(dialog->GetDialogProc()));
  return dialog->GetDialogProc()(window, msg, wParam, lParam);
}

INT_PTR CALLBACK CModelessDialog::DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* dialog = reinterpret_cast<CModelessDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!dialog) return FALSE;
  LRESULT result = 0;
  BOOL handled = dialog->ProcessWindowMessage(window, msg, wParam, lParam, result);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    dialog->window_ = nullptr;
    dialog->OnFinalMessage(window);
    return handled;
  }
  if (!handled) return FALSE;
  switch (msg) {
    // These report their result as the procedure's own return value.
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return result;
  }
  SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}
