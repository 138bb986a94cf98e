#include "tests/app/DialogHarness.h"

#include "search/ProgramTexts.h"

#include <commctrl.h>

namespace {

struct LaidOutControl {
  int id;
  const char* text;
  RECT units;  // x, y, width, height in dialog units
};

// Tab order, positions and texts of the layout; -1 are the labels.
const LaidOutControl kLayout[] = {
    {IDC_RESULT_LIST, "", {7, 74, 359, 258}},
    {-1, kTextLabelCommunity, {27, 15, 41, 8}},
    {IDC_KEYWORDS, nullptr, {68, 12, 223, 14}},
    {IDC_SITE_A, kTextSiteA, {27, 34, 40, 10}},
    {IDC_SITE_B, kTextSiteB, {83, 34, 40, 10}},
    {IDC_AUTO_SEARCH, kTextAutoSearch, {27, 55, 48, 10}},
    {IDC_QUERY, kTextQuery, {279, 46, 50, 18}},
    {-1, kTextLabelInterval, {76, 55, 41, 8}},
    {IDC_INTERVAL, nullptr, {113, 52, 38, 14}},
    {-1, kTextLabelMinutes, {159, 55, 17, 8}},
    {IDC_WHOLE_FLAT, kTextWholeFlat, {153, 34, 29, 10}},
    {IDC_SHARED_FLAT, kTextSharedFlat, {182, 34, 39, 10}},
    {IDC_CITY, nullptr, {302, 12, 44, 101}},
};

// The dialog manager converts position and size apart, each rounded on its own.
RECT PixelsOf(HWND dialog, RECT units) {
  MapDialogRect(dialog, &units);
  return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

RECT ChildRect(HWND dialog, HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class MainDlgLayout : public DialogTest {};
class MainDlgStart : public DialogTest {};

TEST_F(MainDlgLayout, WindowIsAFixedHiddenCaptionWindowWithMinimiseBoxOnly) {
  dialog = std::make_unique<CMainDlg>(SettingsStore(keyPath), shell, ListingMemory(memoryFolder));
  ASSERT_NE(dialog->Create(nullptr), nullptr);
  EXPECT_FALSE(IsWindowVisible(Window()));
  LONG style = GetWindowLongA(Window(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_CHILD);
  EXPECT_EQ(GetParent(Window()), nullptr);

  EXPECT_EQ(WindowText(Window()), kTextWindowTitle);

  RECT client{};
  GetClientRect(Window(), &client);
  RECT expected = PixelsOf(Window(), {0, 0, 373, 358});
  EXPECT_EQ(client.right, expected.right);
  EXPECT_EQ(client.bottom, expected.bottom);

  // The system's icon sizes at 96 DPI.
  EXPECT_EQ(WindowIconSize(Window(), ICON_BIG).cx, 32);
  EXPECT_EQ(WindowIconSize(Window(), ICON_BIG).cy, 32);
  EXPECT_EQ(WindowIconSize(Window(), ICON_SMALL).cx, 16);
  EXPECT_EQ(WindowIconSize(Window(), ICON_SMALL).cy, 16);

  HFONT font = reinterpret_cast<HFONT>(SendMessageA(Window(), WM_GETFONT, 0, 0));
  LOGFONTA face{};
  ASSERT_TRUE(GetObjectA(font, sizeof face, &face));
  EXPECT_STREQ(face.lfFaceName, "MS Sans Serif");
}

TEST_F(MainDlgLayout, ControlsStandInTabOrderWithTheirTextsAndPlaces) {
  OpenDialog();
  HWND child = GetWindow(Window(), GW_CHILD);
  for (const LaidOutControl& control : kLayout) {
    ASSERT_NE(child, nullptr);
    SCOPED_TRACE(control.id);
    EXPECT_EQ(GetDlgCtrlID(child), control.id);
    if (control.text) {
      EXPECT_EQ(WindowText(child), control.text);  // GBK bytes unchanged from the text macros
    }
    RECT place = ChildRect(Window(), child);
    RECT expected = PixelsOf(Window(), control.units);
    EXPECT_EQ(place.left, expected.left);
    EXPECT_EQ(place.top, expected.top);
    EXPECT_EQ(place.right, expected.right);
    if (control.id != IDC_CITY) {  // the drop-down is shown closed
      EXPECT_EQ(place.bottom, expected.bottom);
    }
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);
}

TEST_F(MainDlgLayout, ControlStylesAreThoseOfTheirKinds) {
  OpenDialog();
  auto style = [this](int id) { return GetWindowLongA(Item(id), GWL_STYLE); };
  EXPECT_EQ(style(IDC_RESULT_LIST) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style(IDC_RESULT_LIST) & LVS_SINGLESEL);
  EXPECT_TRUE(style(IDC_RESULT_LIST) & LVS_SHOWSELALWAYS);
  EXPECT_EQ(ListView_GetExtendedListViewStyle(Item(IDC_RESULT_LIST)) & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
            static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
  EXPECT_TRUE(style(IDC_INTERVAL) & ES_NUMBER);
  EXPECT_TRUE(style(IDC_KEYWORDS) & ES_AUTOHSCROLL);
  for (int id : {IDC_SITE_A, IDC_SITE_B, IDC_AUTO_SEARCH, IDC_WHOLE_FLAT, IDC_SHARED_FLAT}) {
    EXPECT_EQ(style(id) & BS_TYPEMASK, BS_AUTOCHECKBOX) << id;
  }
  EXPECT_EQ(style(IDC_QUERY) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(style(IDC_CITY) & 3, CBS_DROPDOWNLIST);
  EXPECT_TRUE(style(IDC_CITY) & CBS_SORT);
  for (const LaidOutControl& control : kLayout) {
    if (control.id != -1) {
      EXPECT_TRUE(style(control.id) & WS_TABSTOP) << control.id;
    }
  }
}

TEST_F(MainDlgLayout, ResultListHasFourLeftAlignedColumns) {
  OpenDialog();
  const char* headings[] = {kTextColumnTitle, kTextColumnCommunity, kTextColumnPrice, kTextColumnDate};
  EXPECT_EQ(ColumnWidths(Item(IDC_RESULT_LIST)), (std::vector<int>{320, 70, 55, 70}));
  for (int column = 0; column < 4; ++column) {
    wchar_t heading[32] = {};
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    lvc.pszText = heading;
    lvc.cchTextMax = 32;
    ASSERT_TRUE(SendMessageW(Item(IDC_RESULT_LIST), LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&lvc)));
    EXPECT_EQ(GbkOf(heading), headings[column]);
    EXPECT_EQ(lvc.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  }
  LVCOLUMNA fifth{};
  fifth.mask = LVCF_WIDTH;
  EXPECT_FALSE(SendMessageA(Item(IDC_RESULT_LIST), LVM_GETCOLUMNA, 4, reinterpret_cast<LPARAM>(&fifth)));
}

TEST_F(MainDlgLayout, WindowIsCentredOnTheWorkArea) {
  OpenDialog();
  RECT window{};
  RECT work{};
  GetWindowRect(Window(), &window);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 1);
}

// In the table's order whatever the system's collation, each with its row.
TEST_F(MainDlgLayout, CityListHoldsTheTwelveCitiesInTableOrderEachWithItsRow) {
  OpenDialog();
  const wchar_t* names[] = {L"北京", L"广州", L"杭州", L"济南", L"聊城", L"南京",
                            L"青岛", L"上海", L"深圳", L"天津", L"武汉", L"烟台"};
  HWND city = Item(IDC_CITY);
  ASSERT_EQ(SendMessageW(city, CB_GETCOUNT, 0, 0), 12);
  for (int item = 0; item < 12; ++item) {
    EXPECT_EQ(SendMessageW(city, CB_GETITEMDATA, item, 0), item);
    wchar_t text[64] = {};
    SendMessageW(city, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, names[item]);
  }
}

TEST_F(MainDlgStart, FirstStartShowsTheDefaults) {
  OpenDialog();
  EXPECT_EQ(ItemText(IDC_KEYWORDS), kTextDefaultKeywords);
  EXPECT_EQ(ItemText(IDC_INTERVAL), "20");
  EXPECT_EQ(SelectedCity(), kTextCity0);
  EXPECT_TRUE(Ticked(IDC_SITE_A));
  EXPECT_TRUE(Ticked(IDC_SITE_B));
  EXPECT_TRUE(Ticked(IDC_WHOLE_FLAT));
  EXPECT_FALSE(Ticked(IDC_SHARED_FLAT));
  EXPECT_FALSE(Ticked(IDC_AUTO_SEARCH));
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_QUERY)));
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_INTERVAL)));
  EXPECT_EQ(ListView_GetItemCount(Item(IDC_RESULT_LIST)), 0);
  EXPECT_EQ(dialog->Listings().Head(), nullptr);
  // Starting reads; it stores nothing.
  std::string text;
  EXPECT_FALSE(StoredText(text));
}

TEST_F(MainDlgStart, StoredTextAndCityAreShown) {
  StoreText(std::string(kTextCity7 "\\abc") + '\0');
  StoreCity(7);
  OpenDialog();
  EXPECT_EQ(ItemText(IDC_KEYWORDS), kTextCity7 "\\abc");
  EXPECT_EQ(SelectedCity(), kTextCity7);
}

TEST_F(MainDlgStart, OnlyCityStoredKeepsTheDefaultText) {
  StoreCity(11);
  OpenDialog();
  EXPECT_EQ(ItemText(IDC_KEYWORDS), kTextDefaultKeywords);
  EXPECT_EQ(SelectedCity(), kTextCity11);
}

TEST_F(MainDlgStart, EmptyStoredTextGivesAnEmptyKeywordBox) {
  StoreText(std::string(1, '\0'));
  OpenDialog();
  EXPECT_EQ(ItemText(IDC_KEYWORDS), "");
  EXPECT_EQ(SelectedCity(), kTextCity0);
}

TEST_F(MainDlgStart, CityOutsideTheTableOrOfAnotherKindSelectsTheFirstCity) {
  const DWORD twelve = 12;
  const DWORD huge = 0xFFFFFFFFu;
  const char text[] = "7";
  const unsigned long long wide = 7;
  struct Stored {
    const void* data;
    DWORD size;
    DWORD type;
  } cases[] = {{&twelve, 4, REG_DWORD}, {&huge, 4, REG_DWORD}, {text, 2, REG_SZ}, {&wide, 8, REG_QWORD}};
  for (const Stored& stored : cases) {
    SCOPED_TRACE(stored.type);
    StoreCity(stored.data, stored.size, stored.type);
    OpenDialog();
    EXPECT_EQ(SelectedCity(), kTextCity0);
    dialog.reset();
  }
}

TEST_F(MainDlgStart, OddStoredTextsAreReadSafely) {
  // No terminating zero stored.
  StoreText("abc");
  OpenDialog();
  EXPECT_EQ(ItemText(IDC_KEYWORDS), "abc");
  dialog.reset();

  // Longer than the keyword buffer: cut to 1023 bytes.
  StoreText(std::string(3000, 'k') + '\0');
  OpenDialog();
  EXPECT_EQ(ItemText(IDC_KEYWORDS), std::string(1023, 'k'));
  dialog.reset();

  // Cut on a character boundary, never inside one: "天" 600 times gives 511.
  std::string sky;
  for (int i = 0; i < 600; ++i) sky += "\xCC\xEC";
  StoreText(sky + '\0');
  OpenDialog();
  EXPECT_EQ(ItemText(IDC_KEYWORDS), sky.substr(0, 1022));
  dialog.reset();

  // Not a string at all: the default stays.
  StoreText("abc", REG_BINARY);
  OpenDialog();
  EXPECT_EQ(ItemText(IDC_KEYWORDS), kTextDefaultKeywords);
}

}  // namespace
