#include "tests/app/DialogHarness.h"

#include "search/CityTable.h"
#include "search/ProgramTexts.h"
#include "demo/sites/FakeSites.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <tuple>
#include <utility>

namespace {

std::string Utf8ToGbk(const std::string& text) {
  int wide = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring utf16(wide, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf16.data(), wide);
  return GbkOf(utf16);
}

using RowKey = std::tuple<std::string, std::string, std::string, std::string, std::string>;

// The rows one search should show, in any order: title, community, price, date, link.
std::vector<RowKey> ExpectedRows(const std::vector<std::string>& keywords, const char* cityCode,
                                 const std::vector<std::pair<FakeSite, FakeKind>>& requests) {
  std::vector<RowKey> rows;
  for (const std::string& keyword : keywords) {
    for (const auto& [site, kind] : requests) {
      for (const FakeListing& listing : FakeListingsFor(site, cityCode, kind, keyword)) {
        rows.emplace_back(Utf8ToGbk(listing.title), Utf8ToGbk(keyword), Utf8ToGbk(listing.price),
                          Utf8ToGbk(listing.date), listing.link);
      }
    }
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::vector<RowKey> ShownRows(const std::vector<ResultRow>& rows) {
  std::vector<RowKey> keys;
  for (const ResultRow& row : rows) {
    keys.emplace_back(row.cells[0], row.cells[1], row.cells[2], row.cells[3],
                      row.listing ? row.listing->link : "<no listing>");
  }
  std::sort(keys.begin(), keys.end());
  return keys;
}

FakeSitesOptions AnsweredAfter(int delayMs) {
  FakeSitesOptions options;
  options.delayMs = delayMs;
  return options;
}

class MainDlgSearch : public DialogTest {
protected:
  explicit MainDlgSearch(FakeSitesOptions options = {}) : sites(options) {}
  void SetUp() override {
    DialogTest::SetUp();
    ASSERT_TRUE(sites.Start());
  }
  void TearDown() override {
    sites.Stop();
    DialogTest::TearDown();
  }
  void SelectCityRow(int row) {
    HWND city = Item(IDC_CITY);
    for (int item = 0; item < kCityCount; ++item) {
      if (SendMessageA(city, CB_GETITEMDATA, item, 0) == row) SendMessageA(city, CB_SETCURSEL, item, 0);
    }
  }
  std::vector<ResultRow> Rows() const { return ResultRows(Item(IDC_RESULT_LIST)); }

  FakeSites sites;
};

TEST_F(MainDlgSearch, QueryListsEverySiteRowNewestFirstAndStoresTheInputs) {
  OpenDialog();
  Click(IDC_QUERY);

  EXPECT_EQ(sites.Requests().size(), 6u);  // three keywords, SiteA and SiteB whole flats
  std::vector<ResultRow> rows = Rows();
  std::vector<RowKey> expected =
      ExpectedRows({"小区1", "小区2", "小区3"}, "bj",
                   {{FakeSite::SiteA, FakeKind::WholeFlat}, {FakeSite::SiteB, FakeKind::WholeFlat}});
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(ShownRows(rows), expected);

  // Each row is backed by its Listing, in the list's order, newest first.
  const Listing* listing = dialog->Listings().Head();
  for (std::size_t i = 0; i < rows.size(); ++i, listing = listing->next) {
    ASSERT_EQ(rows[i].listing, listing) << i;
    EXPECT_EQ(rows[i].cells[0], listing->title);
    if (i > 0) {
      EXPECT_EQ(CompareListingDates(rows[i - 1].cells[3], rows[i].cells[3]), 1) << i;
    }
  }
  EXPECT_EQ(listing, nullptr);

  std::string text;
  DWORD city = 99;
  ASSERT_TRUE(StoredText(text));
  EXPECT_EQ(text, kTextDefaultKeywords);
  ASSERT_TRUE(StoredCity(city));
  EXPECT_EQ(city, 0u);
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_QUERY)));
}

TEST_F(MainDlgSearch, SecondQueryReplacesTheRowsAndUsesTheChosenCityAndKinds) {
  OpenDialog();
  Click(IDC_QUERY);
  ASSERT_GT(ListView_GetItemCount(Item(IDC_RESULT_LIST)), 0);

  SetItemText(IDC_KEYWORDS, Utf8ToGbk("阳光花园"));
  SelectCityRow(7);
  Click(IDC_SITE_A);      // off
  Click(IDC_WHOLE_FLAT);  // off
  Click(IDC_SHARED_FLAT); // on
  std::size_t before = sites.Requests().size();
  Click(IDC_QUERY);

  std::vector<std::string> requests = sites.Requests();
  ASSERT_EQ(requests.size(), before + 1);
  EXPECT_EQ(requests.back().rfind("sh.siteb.example ", 0), 0u) << requests.back();
  EXPECT_NE(requests.back().find("%E9%98%B3%E5%85%89%E8%8A%B1%E5%9B%AD"), std::string::npos) << requests.back();
  EXPECT_EQ(ShownRows(Rows()), ExpectedRows({"阳光花园"}, "sh", {{FakeSite::SiteB, FakeKind::Shared}}));
  DWORD city = 0;
  ASSERT_TRUE(StoredCity(city));
  EXPECT_EQ(city, 7u);

  // The rows were put in with the list's drawing off: it is on again, so a
  // row changed later is drawn.
  HWND list = Item(IDC_RESULT_LIST);
  ValidateRect(list, nullptr);
  ListView_RedrawItems(list, 0, 0);
  RECT changed{};
  GetUpdateRect(list, &changed, FALSE);
  EXPECT_FALSE(IsRectEmpty(&changed));
}

// The city picked by its place in the list is the one asked for and stored.
TEST_F(MainDlgSearch, EveryPickedCitySendsItsOwnHostAndStoresItsRow) {
  const char* hosts[] = {"bj", "gz", "hz", "jn", "liaocheng", "nj", "qd", "sh", "sz", "tj", "wh", "yantai"};
  OpenDialog();
  SetItemText(IDC_KEYWORDS, "k");
  Click(IDC_SITE_A);  // one request each: SiteB whole flats
  HWND cityList = Item(IDC_CITY);
  for (int item = 0; item < 12; ++item) {
    SendMessageW(cityList, CB_SETCURSEL, item, 0);
    Click(IDC_QUERY);
    std::vector<std::string> requests = sites.Requests();
    ASSERT_EQ(requests.size(), item + 1u);
    EXPECT_EQ(requests.back().rfind(std::string(hosts[item]) + ".siteb.example ", 0), 0u) << requests.back();
    DWORD row = 99;
    ASSERT_TRUE(StoredCity(row));
    EXPECT_EQ(row, static_cast<DWORD>(item));
  }
}

TEST_F(MainDlgSearch, EmptyKeywordBoxShowsTheMessageAndStoresTheEmptyText) {
  OpenDialog();
  Click(IDC_QUERY);
  ASSERT_GT(ListView_GetItemCount(Item(IDC_RESULT_LIST)), 0);
  SetItemText(IDC_KEYWORDS, "");
  SelectCityRow(3);
  std::size_t before = sites.Requests().size();

  MessageBoxWatcher watcher;
  Click(IDC_QUERY);
  watcher.Stop();
  ExpectProgramMessage(watcher, kTextEmptyKeywords);

  EXPECT_EQ(sites.Requests().size(), before);
  EXPECT_EQ(ListView_GetItemCount(Item(IDC_RESULT_LIST)), 0);
  EXPECT_EQ(dialog->Listings().Head(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_QUERY)));
  std::string text = "x";
  DWORD city = 0;
  ASSERT_TRUE(StoredText(text));
  EXPECT_EQ(text, "");
  ASSERT_TRUE(StoredCity(city));
  EXPECT_EQ(city, 3u);

  // The next start shows the empty box.
  dialog.reset();
  OpenDialog();
  EXPECT_EQ(ItemText(IDC_KEYWORDS), "");
  EXPECT_EQ(SelectedCity(), kTextCity3);
}

TEST_F(MainDlgSearch, BackslashesOnlyShowNoMessageAndNoRows) {
  OpenDialog();
  SetItemText(IDC_KEYWORDS, "\\\\\\");
  MessageBoxWatcher watcher;
  Click(IDC_QUERY);
  watcher.Stop();
  EXPECT_FALSE(watcher.Seen());
  EXPECT_TRUE(sites.Requests().empty());
  EXPECT_EQ(ListView_GetItemCount(Item(IDC_RESULT_LIST)), 0);
  std::string text;
  ASSERT_TRUE(StoredText(text));
  EXPECT_EQ(text, "\\\\\\");
}

// Whole characters only: of "天" 600 times, 511 stay.
TEST_F(MainDlgSearch, LongKeywordTextIsCutTo1023BytesOnACharacterBoundary) {
  std::string sky;
  for (int i = 0; i < 600; ++i) sky += "\xCC\xEC";
  const std::pair<std::string, std::string> cases[] = {{std::string(1500, 'k'), std::string(1023, 'k')},
                                                       {sky, sky.substr(0, 1022)},
                                                       {"k" + sky, "k" + sky.substr(0, 1022)}};
  OpenDialog();
  Click(IDC_SITE_A);
  Click(IDC_SITE_B);  // nothing fetched
  for (const auto& [typed, kept] : cases) {
    SetItemText(IDC_KEYWORDS, typed);
    Click(IDC_QUERY);
    std::string text;
    ASSERT_TRUE(StoredText(text));
    EXPECT_EQ(text, kept) << typed.size();
  }
}

TEST_F(MainDlgSearch, ArmedTimerRunsExactlyOneSearchAndStops) {
  OpenDialog();
  Click(IDC_AUTO_SEARCH);
  ASSERT_FALSE(IsWindowEnabled(Item(IDC_QUERY)));
  // The search runs hidden in the notification area too.
  SendMessageA(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  SendMessageA(Window(), WM_TIMER, kAutoSearchTimerId, 0);
  EXPECT_EQ(sites.Requests().size(), 6u);
  EXPECT_GT(ListView_GetItemCount(Item(IDC_RESULT_LIST)), 0);
  EXPECT_FALSE(KillTimer(Window(), kAutoSearchTimerId));
  // Spent: still ticked, interval still disabled, Query enabled by the search.
  EXPECT_TRUE(Ticked(IDC_AUTO_SEARCH));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_INTERVAL)));
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_QUERY)));

  // Another timer's event stops timer 1000 without a search.
  SetTimer(Window(), kAutoSearchTimerId, 600000, nullptr);
  SendMessageA(Window(), WM_TIMER, kAutoSearchTimerId + 1, 0);
  EXPECT_EQ(sites.Requests().size(), 6u);
  EXPECT_FALSE(KillTimer(Window(), kAutoSearchTimerId));
}

// Hidden, the window cannot show what the timer's search found: a balloon from
// its icon does, and clicking the balloon shows the window.
TEST_F(MainDlgSearch, OnlyAHiddenTimerSearchEndsWithABalloonWhoseClickShowsTheWindow) {
  OpenDialog();
  auto minimise = [this] { SendMessageA(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0); };
  auto tick = [this] { SendMessageA(Window(), WM_TIMER, kAutoSearchTimerId, 0); };
  Click(IDC_AUTO_SEARCH);
  minimise();
  tick();
  int found = ListView_GetItemCount(Item(IDC_RESULT_LIST));
  ASSERT_GT(found, 0);
  ASSERT_EQ(shell.iconCalls.size(), 2u);  // the minimise's add, then the balloon
  const RecordingShell::IconCall& call = shell.iconCalls[1];
  const auto& balloon = call.icon;
  EXPECT_EQ(shell.iconCalls[1].action, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(balloon.cbSize, shell.iconCalls[0].icon.cbSize);
  EXPECT_EQ(balloon.hWnd, Window());
  EXPECT_EQ(balloon.uID, 128u);
  EXPECT_EQ(balloon.uFlags, static_cast<UINT>(NIF_INFO));  // the icon, tip and callback stay as added
  EXPECT_EQ(call.infoTitle, "Nestari");
  // The first search ever: every row is new.
  const std::string rows = std::to_string(found);
  EXPECT_EQ(call.info, Utf8ToGbk("找到 " + rows + " 条房源，其中 " + rows + " 条是新的"));

  EXPECT_EQ(SendMessageA(Window(), kTrayCallbackMessage, 128, NIN_BALLOONUSERCLICK), 0);
  EXPECT_TRUE(IsWindowVisible(Window()));

  // Shown, the rows speak for themselves.
  Click(IDC_AUTO_SEARCH);
  Click(IDC_AUTO_SEARCH);
  tick();
  EXPECT_EQ(sites.Requests().size(), 12u);
  EXPECT_EQ(shell.iconCalls.size(), 2u);

  // Query pressed while hidden (as a driver can) is no auto-search.
  Click(IDC_AUTO_SEARCH);
  minimise();
  SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(IDC_QUERY, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDC_QUERY)));
  EXPECT_EQ(sites.Requests().size(), 18u);
  ASSERT_EQ(shell.iconCalls.size(), 3u);
  EXPECT_EQ(shell.iconCalls[2].action, static_cast<DWORD>(NIM_ADD));

  // The same advertisements once more: none is new.
  Click(IDC_AUTO_SEARCH);
  tick();
  ASSERT_EQ(shell.iconCalls.size(), 4u);
  EXPECT_EQ(shell.iconCalls[3].info, Utf8ToGbk("找到 " + rows + " 条房源，没有新的"));

  // A hidden timer search that finds nothing says so.
  SendMessageA(Window(), kTrayCallbackMessage, 128, WM_LBUTTONDBLCLK);
  Click(IDC_WHOLE_FLAT);  // no kind ticked: nothing is fetched
  minimise();
  tick();
  ASSERT_EQ(shell.iconCalls.size(), 6u);
  EXPECT_EQ(shell.iconCalls[5].action, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(shell.iconCalls[5].info, "\xC3\xBB\xD3\xD0\xD5\xD2\xB5\xBD\xB7\xBF\xD4\xB4");  // "没有找到房源"
}

class MainDlgOpenLink : public MainDlgSearch {
protected:
  using MainDlgSearch::MainDlgSearch;
  void DoubleClickAt(POINT point) {
    SendMessageA(Item(IDC_RESULT_LIST), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  }
  POINT CellCentre(int row, int column) {
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageA(Item(IDC_RESULT_LIST), LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  }
};

TEST_F(MainDlgOpenLink, DoubleClickOnAnyCellOpensThatRowsLink) {
  OpenDialog();
  Click(IDC_QUERY);
  std::vector<ResultRow> rows = Rows();
  ASSERT_GE(rows.size(), 2u);
  DoubleClickAt(CellCentre(1, 2));
  DoubleClickAt(CellCentre(0, 0));
  ASSERT_EQ(shell.opened.size(), 2u);
  EXPECT_EQ(shell.opened[0], rows[1].listing->link);
  EXPECT_EQ(shell.opened[1], rows[0].listing->link);
  EXPECT_EQ(shell.opened[0].rfind("http://", 0), 0u);

  // Only a web address goes to the shell, whatever a page made the link.
  const std::pair<const char*, bool> links[] = {
      {"HTTP://x", true},          {"https://x", true},  {"hTtPs://x/a b", true},
      {"file:///c:/x.exe", false}, {"C:\\x.exe", false}, {"javascript:x", false},
      {"httpx://", false},         {"http:/x", false},   {" http://x", false},
      {"https:", false},           {"", false}};
  auto* listing = const_cast<Listing*>(rows[0].listing);
  for (const auto& [link, opens] : links) {
    listing->link = link;
    shell.opened.clear();
    DoubleClickAt(CellCentre(0, 3));
    EXPECT_EQ(shell.opened, opens ? std::vector<std::string>{link} : std::vector<std::string>{}) << link;
  }
}

TEST_F(MainDlgOpenLink, DoubleClickBesideTheRowsOpensNothing) {
  OpenDialog();
  SetItemText(IDC_KEYWORDS, Utf8ToGbk("阳光花园"));
  Click(IDC_SITE_B);
  Click(IDC_QUERY);
  int count = ListView_GetItemCount(Item(IDC_RESULT_LIST));
  ASSERT_GT(count, 0);
  RECT client{};
  GetClientRect(Item(IDC_RESULT_LIST), &client);
  POINT below = CellCentre(count - 1, 0);
  RECT last{};
  last.left = LVIR_BOUNDS;
  SendMessageA(Item(IDC_RESULT_LIST), LVM_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
  below.y = last.bottom + 5;
  ASSERT_LT(below.y, client.bottom);
  DoubleClickAt(below);
  EXPECT_TRUE(shell.opened.empty());
}

FakeSitesOptions TwoFreshPerRepeat() {
  FakeSitesOptions options;
  options.freshPerRepeat = 2;
  return options;
}

// Ink of a row's first cell as the screen shows it. Text is smoothed: its
// edges blend the text's colour into the background, its cores are the colour.
struct Ink {
  int weight = 0;          // how much darker than white, summed over the pixels
  COLORREF darkest = RGB(255, 255, 255);
};

// Searches of one page, SiteB's whole flats of one community, on which each
// repeat finds two advertisements put up since.
class MainDlgHunt : public MainDlgOpenLink {
protected:
  MainDlgHunt() : MainDlgOpenLink(TwoFreshPerRepeat()) {}
  void SearchOnePage() {
    SetItemText(IDC_KEYWORDS, Utf8ToGbk("阳光花园"));
    if (Ticked(IDC_SITE_A)) Click(IDC_SITE_A);
    Click(IDC_QUERY);
  }
  std::map<std::string, ListingMark> MarksByLink() const {
    std::map<std::string, ListingMark> marks;
    for (const ResultRow& row : Rows()) marks[row.listing->link] = row.listing->mark;
    return marks;
  }
  Ink RowInk(int row) const {
    HWND list = Item(IDC_RESULT_LIST);
    RECT cell{};
    cell.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    InflateRect(&cell, -1, -1);  // off the grid lines
    const int width = cell.right - cell.left;
    const int height = cell.bottom - cell.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = GetDC(list);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, cell.left, cell.top, SRCCOPY);
    GdiFlush();
    Ink ink;
    auto sum = [](COLORREF colour) { return GetRValue(colour) + GetGValue(colour) + GetBValue(colour); };
    for (int i = 0; i < width * height; ++i) {
      const DWORD bgr = static_cast<const DWORD*>(bits)[i];
      const COLORREF pixel = RGB(GetBValue(bgr), GetGValue(bgr), GetRValue(bgr));
      ink.weight += 765 - sum(pixel);
      if (sum(pixel) < sum(ink.darkest)) ink.darkest = pixel;
    }
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(list, screen);
    return ink;
  }
};

TEST_F(MainDlgHunt, NewIsWhatNoEarlierSearchListedAndOpenedLastsAcrossARestart) {
  OpenDialog();
  SearchOnePage();
  const std::map<std::string, ListingMark> first = MarksByLink();
  ASSERT_GE(first.size(), 2u);
  for (const auto& [link, mark] : first) EXPECT_EQ(mark, ListingMark::New) << link;

  SearchOnePage();
  std::map<std::string, ListingMark> expected;
  for (const auto& [link, mark] : MarksByLink()) {
    expected[link] = first.count(link) ? ListingMark::Seen : ListingMark::New;
  }
  ASSERT_EQ(expected.size(), first.size() + 2);
  EXPECT_EQ(MarksByLink(), expected);

  // Opened, it shows at once; the two fresh ones head the list.
  const std::string opened = Rows()[2].listing->link;
  DoubleClickAt(CellCentre(2, 1));
  ASSERT_EQ(shell.opened, std::vector<std::string>{opened});
  expected[opened] = ListingMark::Opened;
  EXPECT_EQ(MarksByLink(), expected);

  // A new window over the same memory: two more are new, the opened one still opened.
  dialog.reset();
  OpenDialog();
  SearchOnePage();
  const std::map<std::string, ListingMark> third = MarksByLink();
  ASSERT_EQ(third.size(), first.size() + 4);
  for (const auto& [link, mark] : third) {
    const auto before = expected.find(link);
    const ListingMark now = before == expected.end()                  ? ListingMark::New
                            : before->second == ListingMark::Opened ? ListingMark::Opened
                                                                    : ListingMark::Seen;
    EXPECT_EQ(mark, now) << link;
  }
}

TEST_F(MainDlgHunt, NewRowsAreDrawnBoldAndOpenedOnesGreyUnlessSelected) {
  OpenDialog();
  SearchOnePage();
  UpdateWindow(Item(IDC_RESULT_LIST));
  auto* listing = const_cast<Listing*>(Rows()[0].listing);
  ASSERT_EQ(listing->mark, ListingMark::New);
  const Ink bold = RowInk(0);
  listing->mark = ListingMark::Seen;
  InvalidateRect(Item(IDC_RESULT_LIST), nullptr, TRUE);
  UpdateWindow(Item(IDC_RESULT_LIST));
  const Ink plain = RowInk(0);
  EXPECT_EQ(plain.darkest, GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(bold.darkest, GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_GT(bold.weight, plain.weight * 3 / 2);
  EXPECT_LT(bold.weight, plain.weight * 5 / 2);

  DoubleClickAt(CellCentre(0, 0));  // drawn grey before anything else is done
  EXPECT_EQ(RowInk(0).darkest, GetSysColor(COLOR_GRAYTEXT));

  ListView_SetItemState(Item(IDC_RESULT_LIST), 0, LVIS_SELECTED, LVIS_SELECTED);
  UpdateWindow(Item(IDC_RESULT_LIST));
  EXPECT_NE(RowInk(0).darkest, GetSysColor(COLOR_GRAYTEXT));
}

// A file of another version is kept aside and a new one begun; a folder that
// cannot be made leaves the rows and the balloon as they were before the memory.
TEST_F(MainDlgHunt, ADamagedMemoryIsKeptAsideAndAnUnusableOneChangesNothing) {
  const std::string damaged = "nestari-memory 2\nhttp://bj.siteb.example/fang1/1x.htm\t1\t1\t1\n";
  std::filesystem::create_directories(std::filesystem::u8path(memoryFolder));
  std::ofstream(std::filesystem::u8path(memoryFolder) / "memory.txt", std::ios::binary) << damaged;
  OpenDialog();
  SearchOnePage();
  EXPECT_EQ(MemoryFile("memory.txt.bad"), damaged);
  EXPECT_NE(MemoryFile("memory.txt"), damaged);
  EXPECT_NE(MemoryFile("memory.txt"), "<none>");
  for (const auto& [link, mark] : MarksByLink()) EXPECT_EQ(mark, ListingMark::New) << link;

  dialog = std::make_unique<CMainDlg>(SettingsStore(keyPath), shell, ListingMemory(memoryFolder + "\\memory.txt"));
  ASSERT_NE(dialog->Create(nullptr), nullptr);
  Click(IDC_AUTO_SEARCH);
  SendMessageA(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  SendMessageA(Window(), WM_TIMER, kAutoSearchTimerId, 0);
  const int found = ListView_GetItemCount(Item(IDC_RESULT_LIST));
  ASSERT_GT(found, 0);
  for (const auto& [link, mark] : MarksByLink()) EXPECT_EQ(mark, ListingMark::Plain) << link;
  EXPECT_EQ(shell.iconCalls.back().info, Utf8ToGbk("找到 " + std::to_string(found) + " 条房源"));
}

}  // namespace

// Every request answered 0.55 s late: twelve take longer than the 5 s after
// which Windows takes a window that asks for no messages for hung.
class SlowSitesSearch : public MainDlgSearch {
protected:
  SlowSitesSearch() : MainDlgSearch(AnsweredAfter(550)) {}

  // Posts message to window once the sites have been asked requests times.
  std::thread PostAfter(std::size_t requests, HWND window, UINT message, WPARAM wParam) {
    return std::thread([=] {
      while (sites.Requests().size() < requests) Sleep(5);
      PostMessageW(window, message, wParam, 0);
    });
  }
};

TEST_F(SlowSitesSearch, TheWindowStaysAliveAndTakesNoOtherInputWhileItSearches) {
  OpenDialog();
  Click(IDC_SHARED_FLAT);  // on: three keywords, two sites, two kinds
  const HWND window = Window();
  const HWND list = Item(IDC_RESULT_LIST);
  const LPARAM query = reinterpret_cast<LPARAM>(Item(IDC_QUERY));
  std::atomic<bool> searching{true};
  bool hung = false;
  int sent = 0;
  int unanswered = 0;
  std::vector<std::string> titles;
  std::thread other([&] {
    while (searching) {
      hung = hung || IsHungAppWindow(window);
      DWORD_PTR result = 0;
      ++sent;
      if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) && searching) ++unanswered;
      wchar_t title[128] = {};
      InternalGetWindowText(window, title, 128);
      if (titles.empty() || titles.back() != GbkOf(title)) titles.push_back(GbkOf(title));
      // Well before the end: a double-click where the first row will be, and a second search.
      if (sites.Requests().size() <= 8) {
        PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 30));
        SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(IDC_QUERY, BN_CLICKED), query, SMTO_NORMAL, 1000, &result);
      }
      Sleep(250);
    }
  });
  Click(IDC_QUERY);
  searching = false;
  other.join();
  // Input that came during the search is gone, not put off until now.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);

  EXPECT_FALSE(hung);
  EXPECT_GT(sent, 12);
  EXPECT_EQ(unanswered, 0);
  EXPECT_EQ(shell.opened, std::vector<std::string>{});
  EXPECT_EQ(sites.Requests().size(), 12u);
  EXPECT_EQ(ShownRows(Rows()), ExpectedRows({"小区1", "小区2", "小区3"}, "bj",
                                            {{FakeSite::SiteA, FakeKind::WholeFlat},
                                             {FakeSite::SiteA, FakeKind::Shared},
                                             {FakeSite::SiteB, FakeKind::WholeFlat},
                                             {FakeSite::SiteB, FakeKind::Shared}}));
  EXPECT_NE(std::find(titles.begin(), titles.end(), Utf8ToGbk("Nestari1.0 - 查询中 6/12（Esc 停止）")), titles.end());
  EXPECT_EQ(WindowText(window), "Nestari1.0");
}

TEST_F(SlowSitesSearch, EscStopsTheSearchAndACloseEndsTheProgram) {
  OpenDialog();
  Click(IDC_SHARED_FLAT);
  const HWND window = Window();
  // Esc while the third request waits for its answer.
  std::thread esc = PostAfter(3, Item(IDC_KEYWORDS), WM_KEYDOWN, VK_ESCAPE);
  Click(IDC_QUERY);
  esc.join();
  EXPECT_EQ(sites.Requests().size(), 3u);
  EXPECT_EQ(ShownRows(Rows()),
            ExpectedRows({"小区1"}, "bj", {{FakeSite::SiteA, FakeKind::WholeFlat}, {FakeSite::SiteA, FakeKind::Shared}}));
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_QUERY)));
  EXPECT_EQ(WindowText(window), "Nestari1.0");
  std::string text;
  ASSERT_TRUE(StoredText(text));
  EXPECT_EQ(text, kTextDefaultKeywords);

  // A close while the second search's fifth request waits, seven before its end.
  std::thread close = PostAfter(8, window, WM_CLOSE, 0);
  Click(IDC_QUERY);
  close.join();
  EXPECT_EQ(sites.Requests().size(), 8u);
  int quitCode = -1;
  MSG msg;
  for (DWORD start = GetTickCount(); quitCode < 0 && GetTickCount() - start < 5000;) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
      Sleep(5);
    else if (msg.message == WM_QUIT)
      quitCode = static_cast<int>(msg.wParam);
    else
      DispatchMessageW(&msg);
  }
  EXPECT_EQ(quitCode, 0);
  EXPECT_FALSE(IsWindow(window));
}
