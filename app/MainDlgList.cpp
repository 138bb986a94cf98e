#include "app/MainDlg.h"

#include "app/Clipboard.h"
#include "net/WideText.h"
#include "search/ListingCopyText.h"
#include "search/ProgramTexts.h"

#include <windowsx.h>

#include <unordered_map>

namespace {

// LVM_SORTITEMS compares item data, the Listings: each gets its place in the
// new order, worked out beforehand with a stable sort, since Windows does not
// promise that its own sort keeps equal rows in order.
using Ranks = std::unordered_map<LPARAM, int>;

int CALLBACK CompareRanks(LPARAM a, LPARAM b, LPARAM ranks) {
  const Ranks& rank = *reinterpret_cast<const Ranks*>(ranks);
  const int first = rank.find(a)->second;
  const int second = rank.find(b)->second;
  return (first > second) - (first < second);
}

// A context menu of GBK texts, destroyed when it goes.
class PopupMenu {
public:
  PopupMenu() : menu_(CreatePopupMenu()) {}
  ~PopupMenu() {
    if (menu_) DestroyMenu(menu_);
  }
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  void Add(UINT id, const char* text, UINT flags = 0) {
    AppendMenuW(menu_, MF_STRING | flags, id, LocalToWide(text).c_str());
  }
  HMENU Get() const { return menu_; }

private:
  HMENU menu_;
};

}  // namespace

void CMainDlg::SetOrderNewestFirst() {
  sortColumn_ = ListingColumn::Date;
  sortDescending_ = true;
  ShowSortArrow();
}

// A first click sorts ascending, dates newest first as the search left them;
// another click on the same heading reverses.
LRESULT CMainDlg::OnResultColumnClick(UINT, WPARAM, LPARAM lParam, BOOL&) {
  if (search_) return 0;  // dropped, like every click during a search
  const int index = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
  if (index < 0 || index > static_cast<int>(ListingColumn::Date)) return 0;
  const auto column = static_cast<ListingColumn>(index);
  SortResultRows(column, column == sortColumn_ ? !sortDescending_ : column == ListingColumn::Date);
  return 0;
}

// The rows move with their states, the selection among them.
void CMainDlg::SortResultRows(ListingColumn column, bool descending) {
  std::vector<const Listing*> rows = ShownListings();
  OrderListings(rows, column, descending);
  Ranks ranks;
  ranks.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) ranks[reinterpret_cast<LPARAM>(rows[i])] = static_cast<int>(i);
  SendMessageW(resultList_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&ranks),
               reinterpret_cast<LPARAM>(CompareRanks));
  sortColumn_ = column;
  sortDescending_ = descending;
  ShowSortArrow();
  const int selected = SelectedResultRow();
  if (selected >= 0) ListView_EnsureVisible(resultList_, selected, FALSE);
}

// Read and written back whole: a format of the arrow flag alone would drop the
// heading's text.
void CMainDlg::ShowSortArrow() {
  HWND header = ListView_GetHeader(resultList_);
  const int columns = Header_GetItemCount(header);
  for (int column = 0; column < columns; ++column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (!SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item))) continue;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (column == static_cast<int>(sortColumn_)) item.fmt |= sortDescending_ ? HDF_SORTDOWN : HDF_SORTUP;
    SendMessageW(header, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
  }
}

int CMainDlg::SelectedResultRow() const {
  return static_cast<int>(SendMessageW(resultList_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

Listing* CMainDlg::ListingOfRow(int row) const {
  if (row < 0) return nullptr;
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageW(resultList_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  return reinterpret_cast<Listing*>(item.lParam);
}

std::vector<const Listing*> CMainDlg::ShownListings() const {
  const int count = ListView_GetItemCount(resultList_);
  std::vector<const Listing*> rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) rows.push_back(ListingOfRow(row));
  return rows;
}

// Ctrl+C; the list itself copies nothing.
LRESULT CMainDlg::OnResultKeyDown(UINT, WPARAM, LPARAM lParam, BOOL&) {
  const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(lParam);
  if (key->wVKey != 'C' || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return 0;
  if (const Listing* listing = ListingOfRow(SelectedResultRow())) PutClipboardText(window_, CopyRowLine(*listing));
  return 0;
}

// The dialog's keyboard handling turns Enter on the list into IDOK; Enter
// anywhere else goes on as before.
LRESULT CMainDlg::OnEnter(UINT, WPARAM, LPARAM, BOOL& handled) {
  if (GetFocus() != resultList_) {
    handled = FALSE;
    return 0;
  }
  OpenResultRow(SelectedResultRow());
  return 0;
}

// A right-click selects the row under it; Shift+F10 and the menu key, at
// (-1, -1), show the menu at the selected row, or at the list's top-left.
LRESULT CMainDlg::OnContextMenu(UINT, WPARAM wParam, LPARAM lParam, BOOL& handled) {
  if (reinterpret_cast<HWND>(wParam) != resultList_) {
    handled = FALSE;
    return 0;
  }
  if (search_) return 0;
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  int row = -1;
  if (at.x == -1 && at.y == -1) {
    row = SelectedResultRow();
    at = POINT{0, 0};
    if (row >= 0) {
      ListView_EnsureVisible(resultList_, row, FALSE);
      RECT bounds{};
      bounds.left = LVIR_BOUNDS;
      SendMessageW(resultList_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
      at = POINT{bounds.left > 0 ? bounds.left : 0, bounds.bottom};
    }
    ClientToScreen(resultList_, &at);
  } else {
    LVHITTESTINFO hit{};
    hit.pt = at;
    ScreenToClient(resultList_, &hit.pt);
    SendMessageW(resultList_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEM)) {
      row = hit.iItem;
      const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
      ListView_SetItemState(resultList_, row, state, state);
    }
  }
  ShowResultMenu(row, at);
  return 0;
}

// The menu's loop runs other messages, the auto-search timer's among them: a
// search that replaced the rows meanwhile leaves nothing for the row's items.
void CMainDlg::ShowResultMenu(int row, POINT at) {
  const Listing* shown = ListingOfRow(row);
  const int rowsShown = rowsReplaced_;
  PopupMenu menu;
  if (row >= 0) {
    menu.Add(IDM_OPEN, kTextMenuOpen);
    menu.Add(IDM_COPY, kTextMenuCopy);
    menu.Add(IDM_COPY_LINK, kTextMenuCopyLink);
    AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    SetMenuDefaultItem(menu.Get(), IDM_OPEN, FALSE);
  }
  menu.Add(IDM_COPY_ALL, kTextMenuCopyAll, ListView_GetItemCount(resultList_) > 0 ? 0 : MF_GRAYED);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr));
  if (chosen == IDM_COPY_ALL) {
    PutClipboardText(window_, CopyRowsText(ShownListings()));
    return;
  }
  if (!shown || rowsReplaced_ != rowsShown) return;
  if (chosen == IDM_OPEN) OpenResultRow(row);
  if (chosen == IDM_COPY) PutClipboardText(window_, CopyRowLine(*shown));
  if (chosen == IDM_COPY_LINK) PutClipboardText(window_, CopyField(shown->link));
}
