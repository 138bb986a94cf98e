#pragma once

#include "app/DesktopShell.h"
#include "app/MainDlg.h"
#include "app/MessageLoop.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// Between the program's GBK texts and the window's UTF-16 ones, by code page
// 936 whatever the system's own: the tests see the texts as a user does.
std::wstring WideOf(const std::string& gbk);
std::string GbkOf(const std::wstring& wide);
std::string WindowText(HWND window);

// Records what the dialog asks of the shell, and keeps the shell's one rule
// that matters here: one icon per window and icon id.
class RecordingShell : public DesktopShell {
public:
  // The record as given, and its texts in GBK.
  struct IconCall {
    DWORD action;
    NOTIFYICONDATAW icon;
    std::string tip;
    std::string infoTitle;
    std::string info;
  };
  bool NotifyIcon(DWORD action, NOTIFYICONDATAW& icon) override;
  void OpenAddress(HWND owner, const std::string& address) override;

  int IconsShown() const { return static_cast<int>(shown.size()); }

  std::vector<IconCall> iconCalls;
  std::vector<std::string> opened;

private:
  std::vector<std::pair<HWND, UINT>> shown;
};

// Watches the calling thread for a message box with the caption "riruv" from
// a second thread; reads its text and icon, then presses its OK button.
class MessageBoxWatcher {
public:
  MessageBoxWatcher();
  ~MessageBoxWatcher() { Stop(); }
  void Stop();

  bool Seen() const { return seen_; }
  const std::string& Text() const { return text_; }
  bool InformationIcon() const { return informationIcon_; }
  bool OkOnly() const { return okOnly_; }

private:
  void Watch();

  DWORD uiThread_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> seen_{false};
  std::string text_;
  bool informationIcon_ = false;
  bool okOnly_ = false;
  std::thread thread_;
};

// The watcher saw one of the program's messages: this text, the information
// icon and an OK button alone.
inline void ExpectProgramMessage(const MessageBoxWatcher& watcher, const char* text) {
  ASSERT_TRUE(watcher.Seen());
  EXPECT_EQ(watcher.Text(), text);
  EXPECT_TRUE(watcher.InformationIcon());
  EXPECT_TRUE(watcher.OkOnly());
}

// A main dialog of the test's own: a settings key and a memory folder of its
// own (emptied before and after), a message loop registered for the thread, a
// recording shell.
class DialogTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the dialog from its layout and shows it.
  void OpenDialog();
  HWND Window() const { return dialog->GetHwnd(); }
  HWND Item(int id) const { return GetDlgItem(Window(), id); }
  std::string ItemText(int id) const { return WindowText(Item(id)); }
  void SetItemText(int id, const std::string& gbk) const;
  std::string SelectedCity() const;
  bool Ticked(int id) const { return IsDlgButtonChecked(Window(), id) == BST_CHECKED; }
  void Click(int id) const;

  void StoreText(const std::string& bytes, DWORD type = REG_SZ);
  void StoreCity(const void* data, DWORD size, DWORD type = REG_DWORD);
  void StoreCity(DWORD row) { StoreCity(&row, sizeof row); }
  bool StoredText(std::string& text) const;
  bool StoredCity(DWORD& row) const;

  // Closes the dialog as the user does and takes the quit message it posts.
  bool CloseDialog(int& quitCode);

  // The whole file of the memory folder, or "<none>".
  std::string MemoryFile(const char* name) const;

  std::string keyPath;
  std::string memoryFolder;  // UTF-8
  RecordingShell shell;
  CMessageLoop loop;
  std::unique_ptr<CMainDlg> dialog;
};

// Result rows as shown: four cells each, with the row's item data.
struct ResultRow {
  std::string cells[4];
  const Listing* listing;
};
std::vector<ResultRow> ResultRows(HWND list);

// Column widths of a report list view, in pixels, from the first column on.
std::vector<int> ColumnWidths(HWND list);

// Width and height of an icon's image in pixels; 0 by 0 for no icon.
SIZE IconSize(HICON icon);
inline SIZE WindowIconSize(HWND window, WPARAM which) {
  return IconSize(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0)));
}
