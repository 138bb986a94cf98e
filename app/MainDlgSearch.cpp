#include "app/MainDlg.h"

#include "app/PausedRedraw.h"
#include "search/SearchJob.h"
#include "search/ProgramTexts.h"

#include <cstring>

LRESULT CMainDlg::RunSearchJob() {
  HWND queryButton = GetDlgItem(window_, IDC_QUERY);
  EnableWindow(queryButton, FALSE);
  // Rows point at Listings: they go first.
  {
    PausedRedraw paused(resultList_);
    ListView_DeleteAllItems(resultList_);
  }
  if (listings_.Head()) listings_.ClearListings();

  char text[kKeywordBufferSize] = {};
  GetDlgItemTextA(window_, IDC_KEYWORDS, text, sizeof text);
  int cityRow = SelectedCityRow();
  RegistryKey settingsKey = settings_.SaveSettings(text, cityRow);

  std::size_t length = std::strlen(text);
  if (length == 0) ShowMessage(kTextEmptyKeywords);

  SearchChoices choices;
  choices.siteA = IsDlgButtonChecked(window_, IDC_SITE_A) == BST_CHECKED;
  choices.siteB = IsDlgButtonChecked(window_, IDC_SITE_B) == BST_CHECKED;
  choices.wholeFlat = IsDlgButtonChecked(window_, IDC_WHOLE_FLAT) == BST_CHECKED;
  choices.sharedFlat = IsDlgButtonChecked(window_, IDC_SHARED_FLAT) == BST_CHECKED;
  SearchKeywords(std::string(text, length), cityRow, choices, listings_);

  SortListingsByDate(listings_.Head());
  FillResultRows();
  EnableWindow(queryButton, TRUE);
  return 0;
}

void CMainDlg::FillResultRows() {
  PausedRedraw paused(resultList_);
  // Room for every row at once, rather than grown row by row.
  int count = 0;
  for (const Listing* listing = listings_.Head(); listing; listing = listing->next) ++count;
  ListView_SetItemCount(resultList_, count);
  for (Listing* listing = listings_.Head(); listing; listing = listing->next) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(resultList_);
    item.pszText = const_cast<char*>(listing->title.c_str());
    item.lParam = reinterpret_cast<LPARAM>(listing);
    int row = static_cast<int>(SendMessageA(resultList_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) continue;
    const std::string* cells[] = {&listing->community, &listing->price, &listing->date};
    for (int column = 1; column <= 3; ++column) {
      LVITEMA cell{};
      cell.iSubItem = column;
      cell.pszText = const_cast<char*>(cells[column - 1]->c_str());
      SendMessageA(resultList_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    }
  }
}
