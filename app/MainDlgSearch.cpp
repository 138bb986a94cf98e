#include "app/MainDlg.h"

#include "app/PausedRedraw.h"
#include "app/WindowPace.h"
#include "net/TextConversion.h"
#include "net/WideText.h"
#include "search/SearchJob.h"
#include "search/ProgramTexts.h"

#include <cstdint>
#include <ctime>

LRESULT CMainDlg::RunSearchJob() {
  // One search at a time, whatever asks for another while it runs: a Query
  // sent by another program, or the timer inside the message box's own loop.
  if (search_) return 0;
  WindowPace pace(window_);
  search_ = &pace;
  HWND queryButton = GetDlgItem(window_, IDC_QUERY);
  EnableWindow(queryButton, FALSE);
  // Rows point at Listings: they go first.
  {
    PausedRedraw paused(resultList_);
    ListView_DeleteAllItems(resultList_);
  }
  if (listings_.Head()) listings_.ClearListings();

  const std::string text = KeywordText();
  int cityRow = SelectedCityRow();
  RegistryKey settingsKey = settings_.SaveSettings(text.c_str(), cityRow);

  if (text.empty()) ShowMessage(kTextEmptyKeywords);

  SearchChoices choices;
  choices.siteA = IsDlgButtonChecked(window_, IDC_SITE_A) == BST_CHECKED;
  choices.siteB = IsDlgButtonChecked(window_, IDC_SITE_B) == BST_CHECKED;
  choices.wholeFlat = IsDlgButtonChecked(window_, IDC_WHOLE_FLAT) == BST_CHECKED;
  choices.sharedFlat = IsDlgButtonChecked(window_, IDC_SHARED_FLAT) == BST_CHECKED;
  SearchKeywords(text, cityRow, choices, listings_, &pace);
  search_ = nullptr;
  if (pace.CloseRequested()) {
    // Closed once every handler around this search has returned.
    closing_ = true;
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return 0;
  }

  SortListingsByDate(listings_.Head());
  searchMarked_ = memory_.MarkSearch(listings_, static_cast<std::int64_t>(std::time(nullptr)));
  FillResultRows();
  EnableWindow(queryButton, TRUE);
  return 0;
}

// Converted whole, then cut: the keywords are split at byte 0x5C of the GBK
// text, and a cut inside a character would leave half of one behind.
std::string CMainDlg::KeywordText() const {
  HWND box = GetDlgItem(window_, IDC_KEYWORDS);
  std::wstring wide(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  wide.resize(static_cast<std::size_t>(GetWindowTextW(box, &wide[0], static_cast<int>(wide.size()))));
  return FitLocalText(WideToLocal(wide), kKeywordBufferSize - 1);
}

void CMainDlg::FillResultRows() {
  PausedRedraw paused(resultList_);
  // Room for every row at once, rather than grown row by row.
  int count = 0;
  for (const Listing* listing = listings_.Head(); listing; listing = listing->next) ++count;
  ListView_SetItemCount(resultList_, count);
  std::wstring text;
  for (Listing* listing = listings_.Head(); listing; listing = listing->next) {
    LocalToWide(listing->title, text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(resultList_);
    item.pszText = &text[0];
    item.lParam = reinterpret_cast<LPARAM>(listing);
    int row = static_cast<int>(SendMessageW(resultList_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) continue;
    const std::string* cells[] = {&listing->community, &listing->price, &listing->date};
    for (int column = 1; column <= 3; ++column) {
      LocalToWide(*cells[column - 1], text);
      LVITEMW cell{};
      cell.iSubItem = column;
      cell.pszText = &text[0];
      SendMessageW(resultList_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
    }
  }
}
