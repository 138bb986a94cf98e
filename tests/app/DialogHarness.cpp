#include "tests/app/DialogHarness.h"

#include "app/AppModule.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

std::wstring WideOf(const std::string& gbk) {
  const int size = static_cast<int>(gbk.size());
  std::wstring wide(MultiByteToWideChar(936, 0, gbk.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string GbkOf(const std::wstring& wide) {
  const int size = static_cast<int>(wide.size());
  std::string gbk(WideCharToMultiByte(936, 0, wide.data(), size, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(936, 0, wide.data(), size, gbk.data(), static_cast<int>(gbk.size()), nullptr, nullptr);
  return gbk;
}

std::string WindowText(HWND window) {
  wchar_t text[2048] = {};
  GetWindowTextW(window, text, 2048);
  return GbkOf(text);
}

bool RecordingShell::NotifyIcon(DWORD action, NOTIFYICONDATAW& icon) {
  iconCalls.push_back({action, icon, GbkOf(icon.szTip), GbkOf(icon.szInfoTitle), GbkOf(icon.szInfo)});
  auto key = std::make_pair(icon.hWnd, icon.uID);
  auto found = std::find(shown.begin(), shown.end(), key);
  if (action == NIM_ADD) {
    if (found != shown.end()) return false;
    shown.push_back(key);
    return true;
  }
  if (action == NIM_DELETE) {
    if (found == shown.end()) return false;
    shown.erase(found);
    return true;
  }
  return false;
}

void RecordingShell::OpenAddress(HWND, const std::string& address) { opened.push_back(address); }

MessageBoxWatcher::MessageBoxWatcher() : uiThread_(GetCurrentThreadId()) {
  thread_ = std::thread([this] { Watch(); });
}

void MessageBoxWatcher::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

namespace {

BOOL CALLBACK FindIconChild(HWND child, LPARAM lParam) {
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    *reinterpret_cast<HICON*>(lParam) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    return FALSE;
  }
  return TRUE;
}

}  // namespace

// FindWindowEx reads titles without sending messages, so this never waits for
// a busy user-interface thread; the box's own items are read only once it is
// up, while its modal loop answers.
void MessageBoxWatcher::Watch() {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!stop_ && std::chrono::steady_clock::now() < deadline) {
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", L"riruv")) != nullptr) {
      if (GetWindowThreadProcessId(box, nullptr) == uiThread_ && IsWindowVisible(box)) break;
    }
    if (box) {
      text_ = WindowText(GetDlgItem(box, 0xFFFF));
      HICON icon = nullptr;
      EnumChildWindows(box, FindIconChild, reinterpret_cast<LPARAM>(&icon));
      informationIcon_ = icon && icon == LoadIconA(nullptr, IDI_INFORMATION);
      okOnly_ = GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL) && !GetDlgItem(box, IDYES);
      seen_ = true;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return;
    }
    Sleep(10);
  }
}

void DialogTest::SetUp() {
  static int serial = 0;
  keyPath = "software\\nestari-test\\" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++serial);
  RegDeleteTreeW(HKEY_CURRENT_USER, WideOf(keyPath).c_str());
  memoryFolder = (std::filesystem::temp_directory_path() /
                  ("nestari-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial)))
                     .u8string();
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::u8path(memoryFolder), ignored);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  gModule.Init(GetModuleHandleA(nullptr));
  gModule.AddMessageLoop(&loop);
}

void DialogTest::TearDown() {
  dialog.reset();
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  gModule.RemoveMessageLoop();
  RegDeleteTreeW(HKEY_CURRENT_USER, WideOf(keyPath).c_str());
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::u8path(memoryFolder), ignored);
}

void DialogTest::OpenDialog() {
  dialog = std::make_unique<CMainDlg>(SettingsStore(keyPath), shell, ListingMemory(memoryFolder));
  ASSERT_NE(dialog->Create(nullptr), nullptr);
  ShowWindow(Window(), SW_SHOWNORMAL);
}

std::string DialogTest::MemoryFile(const char* name) const {
  std::ifstream file(std::filesystem::u8path(memoryFolder) / name, std::ios::binary);
  if (!file) return "<none>";
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void DialogTest::SetItemText(int id, const std::string& gbk) const {
  SetDlgItemTextW(Window(), id, WideOf(gbk).c_str());
}

std::string DialogTest::SelectedCity() const {
  HWND city = Item(IDC_CITY);
  LRESULT item = SendMessageA(city, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return "<none>";
  wchar_t text[64] = {};
  SendMessageW(city, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
  return GbkOf(text);
}

void DialogTest::Click(int id) const { SendMessageA(Item(id), BM_CLICK, 0, 0); }

// As the value's type has it: a string in UTF-16, anything else as the bytes given.
void DialogTest::StoreText(const std::string& bytes, DWORD type) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, WideOf(keyPath).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  if (type == REG_SZ) {
    const std::wstring wide = WideOf(bytes);
    RegSetValueExW(key, L"text", 0, type, reinterpret_cast<const BYTE*>(wide.data()),
                   static_cast<DWORD>(wide.size() * sizeof(wchar_t)));
  } else {
    RegSetValueExW(key, L"text", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
  }
  RegCloseKey(key);
}

void DialogTest::StoreCity(const void* data, DWORD size, DWORD type) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, WideOf(keyPath).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"city", 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

bool DialogTest::StoredText(std::string& text) const {
  wchar_t units[4096] = {};
  DWORD size = sizeof units;
  DWORD type = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, WideOf(keyPath).c_str(), L"text", RRF_RT_ANY, &type, units,
                   &size) != ERROR_SUCCESS ||
      type != REG_SZ || size < sizeof(wchar_t) || units[size / sizeof(wchar_t) - 1] != L'\0') {
    return false;
  }
  text = GbkOf(std::wstring(units, size / sizeof(wchar_t) - 1));
  return true;
}

bool DialogTest::StoredCity(DWORD& row) const {
  DWORD size = sizeof row;
  return RegGetValueW(HKEY_CURRENT_USER, WideOf(keyPath).c_str(), L"city", RRF_RT_REG_DWORD, nullptr, &row,
                      &size) == ERROR_SUCCESS;
}

bool DialogTest::CloseDialog(int& quitCode) {
  SendMessageA(Window(), WM_CLOSE, 0, 0);
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
  quitCode = static_cast<int>(msg.wParam);
  return true;
}

std::vector<ResultRow> ResultRows(HWND list) {
  std::vector<ResultRow> rows;
  int count = ListView_GetItemCount(list);
  for (int index = 0; index < count; ++index) {
    ResultRow row{};
    for (int column = 0; column < 4; ++column) {
      wchar_t text[1024] = {};
      LVITEMW cell{};
      cell.iSubItem = column;
      cell.pszText = text;
      cell.cchTextMax = 1024;
      SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&cell));
      row.cells[column] = GbkOf(text);
    }
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    row.listing = reinterpret_cast<const Listing*>(item.lParam);
    rows.push_back(row);
  }
  return rows;
}

std::vector<int> ColumnWidths(HWND list) {
  std::vector<int> widths;
  HWND header = ListView_GetHeader(list);
  int count = Header_GetItemCount(header);
  for (int column = 0; column < count; ++column) widths.push_back(ListView_GetColumnWidth(list, column));
  return widths;
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return SIZE{0, 0};
  BITMAP bitmap{};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  // A monochrome icon keeps its image and its mask in one bitmap, one above the other.
  SIZE size{bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}
