#pragma once

#include "app/DesktopShell.h"
#include "app/DisplayScale.h"
#include "app/MessageLoop.h"
#include "app/ModelessDialog.h"
#include "app/OwnedFont.h"
#include "app/OwnedIcon.h"
#include "app/SettingsStore.h"
#include "app/UpdateUI.h"
#include "app/resource.h"
#include "memory/ListingMemory.h"
#include "search/Listing.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

class WindowPace;

// Message number of the notification-area icon's callback.
constexpr UINT kTrayCallbackMessage = 100;
constexpr UINT kTrayIconId = IDI_NESTARI;
constexpr UINT_PTR kAutoSearchTimerId = 1000;

// The program's only window: the search inputs, the result list, the tray icon
// and the auto-search timer. Owns the Listings of the latest search.
class CMainDlg : public CModelessDialog,
                 public CUpdateUI,
                 public CMessageFilter,
                 public CIdleHandler {
public:
  CMainDlg();  // the real settings key, shell and memory
  CMainDlg(SettingsStore settings, DesktopShell& shell, ListingMemory memory);
  ~CMainDlg() override;

  HWND Create(HWND parent);

  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnIdle() override;

  // One whole search, from the dialog's inputs to the filled result list.
  // The window stays alive while it runs; it does nothing while another runs.
  LRESULT RunSearchJob();

  const ListingList& Listings() const { return listings_; }

  BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    MESSAGE_HANDLER(WM_SYSCOMMAND, OnSysCommand)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    MESSAGE_HANDLER(WM_DPICHANGED, OnDpiChanged)
    MESSAGE_HANDLER(kTrayCallbackMessage, OnTrayIcon)
    MESSAGE_HANDLER(taskbarCreated_, OnTaskbarCreated)
    COMMAND_HANDLER(IDC_QUERY, BN_CLICKED, OnQuery)
    COMMAND_HANDLER(IDC_AUTO_SEARCH, BN_CLICKED, OnAutoSearch)
    NOTIFY_HANDLER(IDC_RESULT_LIST, NM_DBLCLK, OnResultDoubleClick)
    NOTIFY_HANDLER(IDC_RESULT_LIST, NM_CUSTOMDRAW, OnResultCustomDraw)
  END_MSG_MAP()

private:
  LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnSysCommand(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnDpiChanged(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnTrayIcon(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnTaskbarCreated(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnQuery(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnAutoSearch(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnResultDoubleClick(UINT, WPARAM, LPARAM, BOOL&);
  LRESULT OnResultCustomDraw(UINT, WPARAM, LPARAM, BOOL&);

  void CentreWindow();
  void AddTrayIcon();
  void ShowSearchBalloon(int found);
  int NewListings() const;
  void SetWindowIcons();
  void AddResultColumns();
  void AddCities(int cityRow);
  int SelectedCityRow() const;
  void FillResultRows();
  // Opens the row's advertisement in the browser; nothing for a row of none.
  void OpenResultRow(int row);
  // Remembers link as opened and greys its rows at once.
  void MarkRowsOpened(const std::string& link);
  HFONT BoldFont();
  std::string KeywordText() const;
  void ShowMessage(const char* text);

  SettingsStore settings_;
  DesktopShell& shell_;
  ListingMemory memory_;
  bool searchMarked_ = false;  // the latest search's rows are marked against the memory
  HWND resultList_ = nullptr;
  HWND cityList_ = nullptr;
  ListingList listings_;
  WindowPace* search_ = nullptr;  // the search under way, if any
  bool closing_ = false;          // a search ended by a close: the window closes next
  int dpi_ = kBaseDpi;  // of the monitor the window is on
  OwnedIcon bigIcon_;
  OwnedIcon smallIcon_;
  OwnedFont boldFont_;    // New rows: the dialog's font in bold
  HFONT boldBase_ = nullptr;  // the dialog font it was made from
  NOTIFYICONDATAW trayIcon_{};
  // From the first minimise until the program closes, the icon belongs in the
  // notification area.
  bool trayIconWanted_ = false;
  // Broadcast to every top-level window when the shell (re)starts its task bar.
  const UINT taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
};
