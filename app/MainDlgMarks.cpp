#include "app/MainDlg.h"

#include <cstdint>
#include <ctime>

// New rows in bold, opened ones in the system's grey, as mail programs and
// browsers show unread mail and visited links; the rest as the list draws them.
LRESULT CMainDlg::OnResultCustomDraw(UINT, WPARAM, LPARAM lParam, BOOL&) {
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const auto* listing = reinterpret_cast<const Listing*>(draw->nmcd.lItemlParam);
  if (!listing) return CDRF_DODEFAULT;
  if (listing->mark == ListingMark::New) {
    HFONT bold = BoldFont();
    if (!bold) return CDRF_DODEFAULT;
    SelectObject(draw->nmcd.hdc, bold);
    return CDRF_NEWFONT;
  }
  // A selected row keeps the selection's colours.
  const int row = static_cast<int>(draw->nmcd.dwItemSpec);
  if (listing->mark == ListingMark::Opened && !ListView_GetItemState(resultList_, row, LVIS_SELECTED)) {
    draw->clrText = GetSysColor(COLOR_GRAYTEXT);
    return CDRF_NEWFONT;
  }
  return CDRF_DODEFAULT;
}

// The dialog's font in its bold weight, made again whenever the dialog's font
// changes: the dialog manager gives it a new one for a new scale.
HFONT CMainDlg::BoldFont() {
  HFONT base = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
  if (boldFont_.Get() && base == boldBase_) return boldFont_.Get();
  LOGFONTW font{};
  if (!base || !GetObjectW(base, sizeof font, &font)) return nullptr;
  font.lfWeight = FW_BOLD;
  boldFont_ = OwnedFont(CreateFontIndirectW(&font));
  boldBase_ = base;
  return boldFont_.Get();
}

void CMainDlg::MarkRowsOpened(const std::string& link) {
  if (!memory_.MarkOpened(link, static_cast<std::int64_t>(std::time(nullptr)))) return;
  const int rows = ListView_GetItemCount(resultList_);
  for (int row = 0; row < rows; ++row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(resultList_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) || !item.lParam) continue;
    auto* listing = reinterpret_cast<Listing*>(item.lParam);
    if (listing->link != link) continue;
    listing->mark = ListingMark::Opened;
    ListView_RedrawItems(resultList_, row, row);
  }
  UpdateWindow(resultList_);
}
