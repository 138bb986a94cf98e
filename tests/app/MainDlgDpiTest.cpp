// Runs alone in a Wine prefix whose screen is at 144 DPI (150 %).
#include "tests/app/DialogHarness.h"

#include <commctrl.h>

#include <vector>

namespace {

class MainDlgAt144Dpi : public DialogTest {};

TEST_F(MainDlgAt144Dpi, ColumnsAndIconsFollowTheScaleAndAMoveToAnother) {
  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(screenDpi, 144) << "the prefix is not at 144 DPI";

  OpenDialog();
  HWND list = Item(IDC_RESULT_LIST);
  EXPECT_EQ(ColumnWidths(list), (std::vector<int>{480, 105, 83, 105}));
  EXPECT_EQ(WindowIconSize(Window(), ICON_BIG).cx, 48);
  EXPECT_EQ(WindowIconSize(Window(), ICON_BIG).cy, 48);
  EXPECT_EQ(WindowIconSize(Window(), ICON_SMALL).cx, 24);
  EXPECT_EQ(WindowIconSize(Window(), ICON_SMALL).cy, 24);

  // Dragged wider by the user, then moved to a monitor at 100 %: the window
  // takes the place the system suggests, each column keeps its share.
  ListView_SetColumnWidth(list, 0, 300);
  RECT suggested{40, 30, 640, 680};
  SendMessageA(Window(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  RECT window{};
  GetWindowRect(Window(), &window);
  EXPECT_TRUE(EqualRect(&window, &suggested));
  EXPECT_EQ(ColumnWidths(list), (std::vector<int>{200, 70, 55, 70}));
  EXPECT_EQ(WindowIconSize(Window(), ICON_BIG).cx, 32);
  EXPECT_EQ(WindowIconSize(Window(), ICON_SMALL).cx, 16);

  // A message without a scale changes nothing.
  SendMessageA(Window(), WM_DPICHANGED, 0, 0);
  EXPECT_EQ(ColumnWidths(list), (std::vector<int>{200, 70, 55, 70}));
}

}  // namespace
