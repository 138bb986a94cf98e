#include "app/MainDlg.h"

#include "app/AppModule.h"
#include "app/AutoSearchPeriod.h"
#include "net/WideText.h"
#include "search/ProgramTexts.h"

#include <cstdio>
#include <cwchar>

namespace {

// A GBK text into one of the icon record's fixed fields, cut to fit.
template <std::size_t Size>
void CopyIconText(const char* local, wchar_t (&field)[Size]) {
  std::wcsncpy(field, LocalToWide(local).c_str(), Size - 1);
  field[Size - 1] = L'\0';
}

}  // namespace

LRESULT CMainDlg::OnSysCommand(UINT, WPARAM wParam, LPARAM, BOOL& handled) {
  if (wParam != SC_MINIMIZE) {
    handled = FALSE;
    return 0;
  }
  // Hidden, never minimised: size and place stay for when it comes back.
  trayIconWanted_ = true;
  AddTrayIcon();
  ShowWindow(window_, SW_HIDE);
  return 0;
}

// A restarted shell has lost the icon, hidden window or not.
LRESULT CMainDlg::OnTaskbarCreated(UINT, WPARAM, LPARAM, BOOL&) {
  if (trayIconWanted_) AddTrayIcon();
  return 0;
}

void CMainDlg::AddTrayIcon() {
  trayIcon_ = NOTIFYICONDATAW{};
  trayIcon_.cbSize = NOTIFYICONDATAW_V2_SIZE;  // the wide record's own: the ANSI size would lose the balloon
  trayIcon_.hWnd = window_;
  trayIcon_.uID = kTrayIconId;
  trayIcon_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  trayIcon_.uCallbackMessage = kTrayCallbackMessage;
  trayIcon_.hIcon = static_cast<HICON>(LoadImageW(gModule.GetResourceInstance(), MAKEINTRESOURCEW(IDI_NESTARI),
                                                  IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  CopyIconText(kTextTrayTip, trayIcon_.szTip);
  shell_.NotifyIcon(NIM_ADD, trayIcon_);
}

// The balloon after a hidden search: what it found is in the window.
void CMainDlg::ShowSearchBalloon(int found) {
  NOTIFYICONDATAW balloon{};
  balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
  balloon.hWnd = window_;
  balloon.uID = kTrayIconId;
  balloon.uFlags = NIF_INFO;
  balloon.dwInfoFlags = NIIF_INFO;
  CopyIconText(kTextBalloonTitle, balloon.szInfoTitle);
  if (found > 0) {
    // Without the memory no row is told apart, and the count says all it can.
    const int fresh = NewListings();
    char info[96] = {};
    if (!searchMarked_) {
      std::snprintf(info, sizeof info, kTextBalloonFound, found);
    } else if (fresh > 0) {
      std::snprintf(info, sizeof info, kTextBalloonFoundNew, found, fresh);
    } else {
      std::snprintf(info, sizeof info, kTextBalloonFoundNoneNew, found);
    }
    CopyIconText(info, balloon.szInfo);
  } else {
    CopyIconText(kTextBalloonNoneFound, balloon.szInfo);
  }
  shell_.NotifyIcon(NIM_MODIFY, balloon);
}

int CMainDlg::NewListings() const {
  int fresh = 0;
  for (const Listing* listing = listings_.Head(); listing; listing = listing->next) {
    if (listing->mark == ListingMark::New) ++fresh;
  }
  return fresh;
}

LRESULT CMainDlg::OnTrayIcon(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
  if (wParam != kTrayIconId) return 1;
  if (lParam == WM_LBUTTONDBLCLK || lParam == NIN_BALLOONUSERCLICK) ShowWindow(window_, SW_SHOW);
  return 0;
}

LRESULT CMainDlg::OnAutoSearch(UINT, WPARAM, LPARAM, BOOL&) {
  HWND interval = GetDlgItem(window_, IDC_INTERVAL);
  HWND queryButton = GetDlgItem(window_, IDC_QUERY);
  bool ticked = IsDlgButtonChecked(window_, IDC_AUTO_SEARCH) == BST_CHECKED;
  EnableWindow(interval, !ticked);
  EnableWindow(queryButton, !ticked);
  // Unticking leaves a running timer alone: it fires, finds the box unticked and stops.
  if (!ticked) return 0;

  if (GetWindowTextLengthW(interval) == 0) {
    EnableWindow(queryButton, TRUE);
    EnableWindow(interval, TRUE);
    ShowMessage(kTextEmptyInterval);
    CheckDlgButton(window_, IDC_AUTO_SEARCH, BST_UNCHECKED);
    return 0;
  }
  BOOL isNumber = FALSE;
  int minutes = static_cast<int>(GetDlgItemInt(window_, IDC_INTERVAL, &isNumber, TRUE));
  UINT period = isNumber ? AutoSearchPeriod(minutes) : 0;
  if (period == 0) {
    KillTimer(window_, kAutoSearchTimerId);
  } else {
    SetTimer(window_, kAutoSearchTimerId, period, nullptr);
  }
  return 0;
}

LRESULT CMainDlg::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL&) {
  // A tick inside a search (in its message box's loop) leaves the timer for
  // its next tick.
  if (search_) return 0;
  if (wParam == kAutoSearchTimerId && IsDlgButtonChecked(window_, IDC_AUTO_SEARCH) == BST_CHECKED) {
    RunSearchJob();
    // Only a hidden window needs telling; a shown one has its rows in view.
    if (!closing_ && !IsWindowVisible(window_)) ShowSearchBalloon(ListView_GetItemCount(resultList_));
  }
  KillTimer(window_, kAutoSearchTimerId);
  return 0;
}
