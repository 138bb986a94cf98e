#include "tests/app/DialogHarness.h"

#include "search/ProgramTexts.h"

#include <cstring>
#include <vector>

namespace {

class MainDlgTray : public DialogTest {
protected:
  void Minimise() { SendMessageA(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }
  LRESULT TrayEvent(WPARAM iconId, LPARAM mouse) {
    return SendMessageA(Window(), kTrayCallbackMessage, iconId, mouse);
  }
  std::vector<DWORD> Actions() const {
    std::vector<DWORD> actions;
    for (const RecordingShell::IconCall& call : shell.iconCalls) actions.push_back(call.action);
    return actions;
  }
};

TEST_F(MainDlgTray, MinimiseHidesTheWindowAndAddsTheIcon) {
  OpenDialog();
  RECT before{};
  GetWindowRect(Window(), &before);
  Minimise();
  EXPECT_FALSE(IsWindowVisible(Window()));
  EXPECT_FALSE(IsIconic(Window()));
  RECT after{};
  GetWindowRect(Window(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));

  ASSERT_EQ(shell.iconCalls.size(), 1u);
  const auto& icon = shell.iconCalls[0].icon;
  EXPECT_EQ(shell.iconCalls[0].action, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(icon.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
  EXPECT_EQ(icon.hWnd, Window());
  EXPECT_EQ(icon.uID, 128u);
  EXPECT_EQ(icon.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(icon.uCallbackMessage, 100u);
  EXPECT_NE(icon.hIcon, nullptr);
  EXPECT_EQ(shell.iconCalls[0].tip, kTextTrayTip);
}

TEST_F(MainDlgTray, OnlyALeftDoubleClickOnTheIconShowsTheWindow) {
  OpenDialog();
  Minimise();
  for (LPARAM mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK}) {
    EXPECT_EQ(TrayEvent(128, mouse), 0) << mouse;
    EXPECT_FALSE(IsWindowVisible(Window())) << mouse;
  }
  EXPECT_EQ(TrayEvent(127, WM_LBUTTONDBLCLK), 1);  // another icon's event
  EXPECT_FALSE(IsWindowVisible(Window()));

  EXPECT_EQ(TrayEvent(128, WM_LBUTTONDBLCLK), 0);
  EXPECT_TRUE(IsWindowVisible(Window()));
  EXPECT_FALSE(IsIconic(Window()));
  // The icon stays until the program closes.
  EXPECT_EQ(shell.IconsShown(), 1);
}

TEST_F(MainDlgTray, MinimisingAgainLeavesOneIconAndCloseRemovesIt) {
  OpenDialog();
  Minimise();
  TrayEvent(128, WM_LBUTTONDBLCLK);
  Minimise();
  EXPECT_FALSE(IsWindowVisible(Window()));

  HWND window = Window();
  int quitCode = -1;
  ASSERT_TRUE(CloseDialog(quitCode));
  EXPECT_EQ(quitCode, 0);
  EXPECT_FALSE(IsWindow(window));
  // Each minimise asks for the icon; the shell keeps one per window and id.
  EXPECT_EQ(Actions(), (std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_DELETE}));
  EXPECT_EQ(shell.iconCalls.back().icon.uID, 128u);
}

// The shell announces its restart to every top-level window; its icons are gone
// then. Once the first minimise has added the icon, it comes back hidden or shown.
TEST_F(MainDlgTray, AShellRestartAddsTheIconAgainOnceItWasAdded) {
  OpenDialog();
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  SendMessageA(Window(), taskbarCreated, 0, 0);
  EXPECT_TRUE(shell.iconCalls.empty());

  Minimise();
  SendMessageA(Window(), taskbarCreated, 0, 0);
  ASSERT_EQ(shell.iconCalls.size(), 2u);
  EXPECT_EQ(shell.iconCalls[1].action, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(std::memcmp(&shell.iconCalls[1].icon, &shell.iconCalls[0].icon, sizeof shell.iconCalls[0].icon), 0);
  EXPECT_FALSE(IsWindowVisible(Window()));

  TrayEvent(128, WM_LBUTTONDBLCLK);
  SendMessageA(Window(), taskbarCreated, 0, 0);
  ASSERT_EQ(shell.iconCalls.size(), 3u);
  EXPECT_EQ(shell.iconCalls[2].action, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(std::memcmp(&shell.iconCalls[2].icon, &shell.iconCalls[0].icon, sizeof shell.iconCalls[0].icon), 0);
  EXPECT_TRUE(IsWindowVisible(Window()));
}

TEST_F(MainDlgTray, CloseWithoutAnIconDestroysTheWindowAndPostsQuit) {
  OpenDialog();
  // Until then the loop hands the dialog its keys: Tab moves the focus on.
  SetFocus(Item(IDC_KEYWORDS));
  MSG tab{Item(IDC_KEYWORDS), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(loop.PreTranslateMessage(&tab));
  EXPECT_EQ(GetFocus(), Item(IDC_SITE_A));
  // and what is typed, Chinese included, reaches the keyword box whole.
  SetItemText(IDC_KEYWORDS, "");
  SetFocus(Item(IDC_KEYWORDS));
  PostMessageW(Item(IDC_KEYWORDS), WM_CHAR, 0x5929, 1);  // 天
  PostQuitMessage(0);
  EXPECT_EQ(loop.Run(), 0);
  EXPECT_EQ(ItemText(IDC_KEYWORDS), "\xCC\xEC");
  HWND window = Window();
  int quitCode = -1;
  ASSERT_TRUE(CloseDialog(quitCode));
  EXPECT_EQ(quitCode, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Actions(), std::vector<DWORD>{NIM_DELETE});
  EXPECT_FALSE(loop.RemoveMessageFilter(dialog.get()));
  EXPECT_FALSE(loop.RemoveIdleHandler(dialog.get()));
}

TEST_F(MainDlgTray, OtherSystemCommandsKeepTheirDefaultHandling) {
  OpenDialog();
  SendMessageA(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);  // ends in the close handling
  EXPECT_FALSE(IsWindow(Window()));
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(Actions(), std::vector<DWORD>{NIM_DELETE});
}

class MainDlgAutoSearch : public DialogTest {
protected:
  // KillTimer tells whether the timer was running (and stops it).
  bool TimerWasRunning() { return KillTimer(Window(), kAutoSearchTimerId) != FALSE; }
  bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
  // Armed: box ticked, interval box and Query disabled; idle: the opposite.
  void ExpectArmed(bool armed) {
    EXPECT_EQ(Ticked(IDC_AUTO_SEARCH), armed);
    EXPECT_EQ(Enabled(IDC_INTERVAL), !armed);
    EXPECT_EQ(Enabled(IDC_QUERY), !armed);
  }
};

TEST_F(MainDlgAutoSearch, TickingWithAnIntervalArmsAndUntickingDisarms) {
  OpenDialog();
  Click(IDC_AUTO_SEARCH);
  ExpectArmed(true);
  Click(IDC_AUTO_SEARCH);
  ExpectArmed(false);
  // The first tick's period all but over: ticking again starts twenty
  // minutes, not milliseconds, anew, so nothing fires while messages flow.
  SetTimer(Window(), kAutoSearchTimerId, 20, nullptr);
  Click(IDC_AUTO_SEARCH);
  for (DWORD end = GetTickCount() + 300; GetTickCount() < end; Sleep(10)) {
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
  }
  std::string text;
  EXPECT_FALSE(StoredText(text));  // a search would have stored the keywords

  Click(IDC_AUTO_SEARCH);
  ExpectArmed(false);
  // Unticking leaves the timer to fire and find the box unticked.
  EXPECT_TRUE(TimerWasRunning());
}

TEST_F(MainDlgAutoSearch, ZeroArmsWithoutATimer) {
  OpenDialog();
  Click(IDC_AUTO_SEARCH);
  ASSERT_TRUE(TimerWasRunning());

  Click(IDC_AUTO_SEARCH);
  SetDlgItemTextA(Window(), IDC_INTERVAL, "0");
  SetTimer(Window(), kAutoSearchTimerId, 600000, nullptr);  // still running from before
  Click(IDC_AUTO_SEARCH);
  ExpectArmed(true);
  EXPECT_FALSE(TimerWasRunning());
}

TEST_F(MainDlgAutoSearch, IntervalsThatAreNoPositiveNumberArmWithoutATimer) {
  OpenDialog();
  for (const char* interval : {"-5", "x", "99999999999"}) {
    SetDlgItemTextA(Window(), IDC_INTERVAL, interval);
    Click(IDC_AUTO_SEARCH);
    EXPECT_TRUE(Ticked(IDC_AUTO_SEARCH)) << interval;
    EXPECT_FALSE(TimerWasRunning()) << interval;
    Click(IDC_AUTO_SEARCH);
  }
  SetDlgItemTextA(Window(), IDC_INTERVAL, "40000");  // beyond the timer's range: its longest period
  Click(IDC_AUTO_SEARCH);
  EXPECT_TRUE(TimerWasRunning());
}

TEST_F(MainDlgAutoSearch, EmptyIntervalShowsTheMessageAndUnticks) {
  OpenDialog();
  SetDlgItemTextA(Window(), IDC_INTERVAL, "");
  MessageBoxWatcher watcher;
  Click(IDC_AUTO_SEARCH);
  watcher.Stop();
  ExpectProgramMessage(watcher, kTextEmptyInterval);
  ExpectArmed(false);
  EXPECT_FALSE(TimerWasRunning());
}

TEST_F(MainDlgAutoSearch, TimerWhileUntickedSearchesNothingAndStops) {
  OpenDialog();
  Click(IDC_AUTO_SEARCH);
  Click(IDC_AUTO_SEARCH);
  SendMessageA(Window(), WM_TIMER, kAutoSearchTimerId, 0);
  EXPECT_FALSE(TimerWasRunning());
  std::string text;
  EXPECT_FALSE(StoredText(text));  // a search would have stored the keywords
}

}  // namespace
