// nestari_bench_driver search|window|sort RUNS [DESKTOP]: times the search of
// the default keywords with both sites and both kinds ticked, city row 0, or
// the re-sort of its rows.
// "search": in this process, through SearchKeywords and the sort alone (fetch,
// read and sort; no window). "window": in the running program, whose boxes it
// ticks and whose Query it presses, each run timed from the press to the rows
// painted, and to the press's return (rows in the list, not yet painted). One
// run first, untimed, so that each timed one starts from a full list (and warm
// name lookups). "sort": in the running program, after one search, a click on
// the price heading, each run reversing the order, timed from the click to the
// rows painted. Prints each run's milliseconds, then "median MS ms, ROWS rows"
// and, for the window, "median MS ms before painting".
#include "demo/driver/MainWindow.h"
#include "app/resource.h"
#include "search/Listing.h"
#include "search/ProgramTexts.h"
#include "search/SearchJob.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int SearchAlone() {
  SearchChoices everything;
  everything.sharedFlat = true;
  ListingList list;
  SearchKeywords(kTextDefaultKeywords, 0, everything, list);
  SortListingsByDate(list.Head());
  int rows = 0;
  for (const Listing* listing = list.Head(); listing; listing = listing->next) ++rows;
  return rows;
}

// False when the search did not end.
bool SearchInWindow(HWND window, double start, double& rowsIn, int& rows) {
  if (!PressQuery(window)) return false;
  rowsIn = NowMs() - start;
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  rows = static_cast<int>(SendMessageA(GetDlgItem(window, IDC_RESULT_LIST), LVM_GETITEMCOUNT, 0, 0));
  return true;
}

// Sent as the mouse sends it, so the sort is over when the release returns.
bool ClickPriceHeading(HWND window) {
  HWND list = GetDlgItem(window, IDC_RESULT_LIST);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  RECT rect{};
  GetClientRect(header, &rect);
  const LRESULT before = SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0) + SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0);
  const LPARAM centre = MAKELPARAM(before + SendMessageA(list, LVM_GETCOLUMNWIDTH, 2, 0) / 2, rect.bottom / 2);
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(header, WM_LBUTTONDOWN, MK_LBUTTON, centre, SMTO_NORMAL, 60000, &ignored) ||
      !SendMessageTimeoutA(header, WM_LBUTTONUP, 0, centre, SMTO_NORMAL, 60000, &ignored))
    return false;
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return true;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const bool sorting = argc >= 3 && std::strcmp(argv[1], "sort") == 0;
  const bool inWindow = argc >= 3 && (sorting || std::strcmp(argv[1], "window") == 0);
  const int runs = argc >= 3 ? std::atoi(argv[2]) : 0;
  if (argc < 3 || argc > 4 || (!inWindow && std::strcmp(argv[1], "search") != 0) || runs < 1) {
    std::fprintf(stderr, "usage: nestari_bench_driver search|window|sort RUNS [DESKTOP]\n");
    return 2;
  }
  HWND window = nullptr;
  if (inWindow) {
    window = WaitForMainWindow(argc == 4 ? argv[3] : nullptr);
    if (!window) {
      std::fprintf(stderr, "no window %s\n", kTextWindowTitle);
      return 1;
    }
    for (int box : {IDC_SITE_A, IDC_SITE_B, IDC_WHOLE_FLAT, IDC_SHARED_FLAT})
      SendMessageA(GetDlgItem(window, box), BM_SETCHECK, BST_CHECKED, 0);
    SetDlgItemTextA(window, IDC_KEYWORDS, kTextDefaultKeywords);
  }

  std::vector<double> times;
  std::vector<double> rowsInTimes;
  int rows = 0;
  for (int run = 0; run <= runs; ++run) {
    const double start = NowMs();
    double rowsIn = 0;
    if (!inWindow) {
      rows = SearchAlone();
    } else if (sorting && run > 0) {
      if (!ClickPriceHeading(window)) {
        std::fprintf(stderr, "the sort did not end\n");
        return 1;
      }
    } else if (!SearchInWindow(window, start, rowsIn, rows)) {
      std::fprintf(stderr, "the search did not end\n");
      return 1;
    }
    const double elapsed = NowMs() - start;
    if (run == 0) continue;
    times.push_back(elapsed);
    rowsInTimes.push_back(rowsIn);
    if (inWindow && !sorting) std::printf("run %d: %.1f ms (%.1f ms before painting)\n", run, elapsed, rowsIn);
    else std::printf("run %d: %.1f ms\n", run, elapsed);
  }
  if (rows == 0) {
    std::fprintf(stderr, "the search found nothing: are the fake sites up?\n");
    return 1;
  }
  std::printf("median %.1f ms, %d rows\n", Median(times), rows);
  if (inWindow && !sorting) std::printf("median %.1f ms before painting\n", Median(rowsInTimes));
  return 0;
}
