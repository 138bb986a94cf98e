#include "app/MainDlg.h"

#include "app/AppModule.h"
#include "app/MemoryFolder.h"
#include "app/WindowPace.h"
#include "app/WorkAreaPlacement.h"
#include "net/WideText.h"
#include "search/CityTable.h"
#include "search/ProgramTexts.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace {

DesktopShell realShell;

struct ResultColumn {
  const char* heading;
  int width;  // at 96 DPI
};

constexpr ResultColumn kResultColumns[] = {
    {kTextColumnTitle, 320}, {kTextColumnCommunity, 70}, {kTextColumnPrice, 55}, {kTextColumnDate, 70}};

// "http://" or "https://", letters in any case. The shell opens whatever it is
// given, a local program or file included, and a page chooses its links.
bool IsWebAddress(const std::string& link) {
  auto sameLetter = [](char lower, char c) { return lower == ((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c); };
  for (const char* scheme : {"http://", "https://"}) {
    const std::size_t length = std::strlen(scheme);
    if (link.size() >= length && std::equal(scheme, scheme + length, link.begin(), sameLetter)) return true;
  }
  return false;
}

}  // namespace

CMainDlg::CMainDlg() : CMainDlg(SettingsStore(), realShell, ListingMemory(LocalMemoryFolder())) {}

CMainDlg::CMainDlg(SettingsStore settings, DesktopShell& shell, ListingMemory memory)
    : settings_(std::move(settings)), shell_(shell), memory_(std::move(memory)) {}

CMainDlg::~CMainDlg() {
  // Rows point at Listings: the window goes before the list does.
  if (window_) DestroyWindow(window_);
}

HWND CMainDlg::Create(HWND parent) {
  return CModelessDialog::Create(gModule.GetResourceInstance(), IDD_MAINDLG, parent);
}

BOOL CMainDlg::PreTranslateMessage(MSG* msg) { return IsDialogMessageW(window_, msg); }

BOOL CMainDlg::OnIdle() { return FALSE; }

LRESULT CMainDlg::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
  CentreWindow();
  dpi_ = WindowDpi(window_);
  SetWindowIcons();

  if (CMessageLoop* loop = gModule.GetMessageLoop()) {
    loop->AddMessageFilter(this);
    loop->AddIdleHandler(this);
  }

  char text[kKeywordBufferSize] = kTextDefaultKeywords;
  int cityRow = 0;
  settings_.LoadSettings(text, cityRow);
  SetDlgItemTextW(window_, IDC_KEYWORDS, LocalToWide(text).c_str());
  SetDlgItemTextW(window_, IDC_INTERVAL, L"20");

  resultList_ = GetDlgItem(window_, IDC_RESULT_LIST);
  cityList_ = GetDlgItem(window_, IDC_CITY);
  ListView_SetExtendedListViewStyle(resultList_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  AddResultColumns();

  listings_.ClearListings();
  CheckDlgButton(window_, IDC_SITE_A, BST_CHECKED);
  CheckDlgButton(window_, IDC_SITE_B, BST_CHECKED);
  CheckDlgButton(window_, IDC_WHOLE_FLAT, BST_CHECKED);
  AddCities(cityRow);
  return TRUE;
}

void CMainDlg::CentreWindow() {
  RECT window{};
  RECT workArea{};
  GetWindowRect(window_, &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
  POINT corner = CentreOnWorkArea(window, workArea);
  SetWindowPos(window_, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window gives up its old icons before they are destroyed.
void CMainDlg::SetWindowIcons() {
  HINSTANCE instance = gModule.GetResourceInstance();
  auto load = [instance, this](int metricX, int metricY) {
    return OwnedIcon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_NESTARI), IMAGE_ICON,
                                                   SystemMetricForDpi(metricX, dpi_),
                                                   SystemMetricForDpi(metricY, dpi_), LR_DEFAULTCOLOR)));
  };
  OwnedIcon bigIcon = load(SM_CXICON, SM_CYICON);
  OwnedIcon smallIcon = load(SM_CXSMICON, SM_CYSMICON);
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.Get()));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.Get()));
  bigIcon_ = std::move(bigIcon);
  smallIcon_ = std::move(smallIcon);
}

void CMainDlg::AddResultColumns() {
  int index = 0;
  for (const ResultColumn& column : kResultColumns) {
    std::wstring heading = LocalToWide(column.heading);
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    lvc.fmt = LVCFMT_LEFT;
    lvc.cx = MulDiv(column.width, dpi_, kBaseDpi);
    lvc.pszText = &heading[0];
    SendMessageW(resultList_, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&lvc));
  }
}

// Moved to a monitor of another scale. The columns, set in pixels, keep their
// share of the list; the dialog manager still gets the message, as it scales
// the dialog's font and controls itself.
LRESULT CMainDlg::OnDpiChanged(UINT, WPARAM wParam, LPARAM lParam, BOOL& handled) {
  handled = FALSE;
  const int dpi = LOWORD(wParam);
  if (dpi <= 0) return 0;
  const int columns = static_cast<int>(std::size(kResultColumns));
  for (int column = 0; column < columns; ++column) {
    int width = ListView_GetColumnWidth(resultList_, column);
    ListView_SetColumnWidth(resultList_, column, MulDiv(width, dpi, dpi_));
  }
  dpi_ = dpi;
  SetWindowIcons();
  boldFont_ = OwnedFont();  // made again from the font the dialog gets for the new scale
  if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
    SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return 0;
}

// Inserted at the end, which never sorts, not even in a sorted list: the list
// shows the table's order whatever the system's collation, so a position is a
// table row. Each item carries its row all the same, which searches go by.
void CMainDlg::AddCities(int cityRow) {
  for (int row = 0; row < kCityCount; ++row) {
    const std::wstring name = LocalToWide(kCityTable[row].name);
    LRESULT item = SendMessageW(cityList_, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(name.c_str()));
    if (item >= 0) SendMessageW(cityList_, CB_SETITEMDATA, item, row);
  }
  SendMessageW(cityList_, CB_SETCURSEL, ValidCityRow(cityRow), 0);
}

int CMainDlg::SelectedCityRow() const {
  LRESULT item = SendMessageW(cityList_, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return 0;
  return ValidCityRow(static_cast<int>(SendMessageW(cityList_, CB_GETITEMDATA, item, 0)));
}

LRESULT CMainDlg::OnDestroy(UINT, WPARAM, LPARAM, BOOL&) {
  if (CMessageLoop* loop = gModule.GetMessageLoop()) {
    loop->RemoveMessageFilter(this);
    loop->RemoveIdleHandler(this);
  }
  return 0;
}

LRESULT CMainDlg::OnClose(UINT, WPARAM, LPARAM, BOOL&) {
  // The search's frames still use the window: it stops, then closes it.
  if (search_) {
    search_->RequestClose();
    return 0;
  }
  NOTIFYICONDATAW icon{};
  icon.cbSize = NOTIFYICONDATAW_V2_SIZE;
  icon.hWnd = window_;
  icon.uID = kTrayIconId;
  shell_.NotifyIcon(NIM_DELETE, icon);
  DestroyWindow(window_);
  PostQuitMessage(0);
  return 0;
}

LRESULT CMainDlg::OnQuery(UINT, WPARAM, LPARAM, BOOL&) { return RunSearchJob(); }

LRESULT CMainDlg::OnResultDoubleClick(UINT, WPARAM, LPARAM lParam, BOOL&) {
  const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
  OpenResultRow(activate->iItem);
  return 0;
}

// Every way of opening a row comes here.
void CMainDlg::OpenResultRow(int row) {
  if (row < 0) return;
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageW(resultList_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) || !item.lParam) return;
  // A copy: the shell may run messages while it opens, and a search among them
  // would release the Listing.
  const std::string link = reinterpret_cast<const Listing*>(item.lParam)->link;
  if (!IsWebAddress(link)) return;
  shell_.OpenAddress(window_, link);
  MarkRowsOpened(link);
}

void CMainDlg::ShowMessage(const char* text) {
  MessageBoxW(window_, LocalToWide(text).c_str(), LocalToWide(kTextMessageCaption).c_str(),
              MB_OK | MB_ICONINFORMATION);
}
