#include "app/MainDlg.h"

#include "app/PausedRedraw.h"
#include "app/UnheldCharacterMessage.h"
#include "app/WindowPace.h"
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
    ++rowsReplaced_;
  }
  if (listings_.Head()) listings_.ClearListings();

  // Kept as typed; sent only if GBK holds every character.
  const std::wstring typed = KeywordText();
  const LocalFit fit = FitToLocal(typed, kKeywordBufferSize - 1);
  int cityRow = SelectedCityRow();
  RegistryKey settingsKey = settings_.SaveSettings(typed.substr(0, fit.units), cityRow);
  keywordsRefused_ = fit.unheld != LocalFit::kAllHeld;
  const std::string text = keywordsRefused_ ? std::string() : fit.local;

  if (keywordsRefused_)
    ShowMessage(UnheldCharacterMessage(typed, fit.unheld));
  else if (text.empty())
    ShowMessage(kTextEmptyKeywords);

  SearchChoices choices;
  choices.siteA = IsDlgButtonChecked(window_, IDC_SITE_A) == BST_CHECKED;
  choices.siteB = IsDlgButtonChecked(window_, IDC_SITE_B) == BST_CHECKED;
  choices.wholeFlat = IsDlgButtonChecked(window_, IDC_WHOLE_FLAT) == BST_CHECKED;
  choices.sharedFlat = IsDlgButtonChecked(window_, IDC_SHARED_FLAT) == BST_CHECKED;
  const auto endSearch = [this, &pace] {
    search_ = nullptr;
    // Closed once every handler around this search has returned.
    if (pace.CloseRequested()) {
      closing_ = true;
      PostMessageW(window_, WM_CLOSE, 0, 0);
    }
    return 0;
  };
  SearchKeywords(text, cityRow, choices, listings_, &pace);
  if (pace.CloseRequested()) return endSearch();

  SortListingsByDate(listings_.Head());
  searchMarked_ = memory_.MarkSearch(listings_, static_cast<std::int64_t>(std::time(nullptr)));
  FillResultRows();
  SetOrderNewestFirst();
  EnableWindow(queryButton, TRUE);
  // Keys and clicks since the last wait, the sort's and the fill's time
  // included, would act on rows nobody saw: they go as in a wait, while the
  // search still holds off another.
  pace.TakeQueuedInput();
  return endSearch();
}

// The box's text as typed: the keywords are split at byte 0x5C of its GBK
// text, and cut in whole characters, once it is converted.
std::wstring CMainDlg::KeywordText() const {
  HWND box = GetDlgItem(window_, IDC_KEYWORDS);
  std::wstring wide(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  wide.resize(static_cast<std::size_t>(GetWindowTextW(box, &wide[0], static_cast<int>(wide.size()))));
  return wide;
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
