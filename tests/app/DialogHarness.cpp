#include "tests/app/DialogHarness.h"

#include "app/AppModule.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>

bool RecordingShell::NotifyIcon(DWORD action, NOTIFYICONDATAA& icon) {
  iconCalls.push_back({action, icon});
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
    while ((box = FindWindowExA(nullptr, box, "#32770", "riruv")) != nullptr) {
      if (GetWindowThreadProcessId(box, nullptr) == uiThread_ && IsWindowVisible(box)) break;
    }
    if (box) {
      char text[256] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      text_ = text;
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
  RegDeleteTreeA(HKEY_CURRENT_USER, keyPath.c_str());
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
  RegDeleteTreeA(HKEY_CURRENT_USER, keyPath.c_str());
}

void DialogTest::OpenDialog() {
  dialog = std::make_unique<CMainDlg>(SettingsStore(keyPath), shell);
  ASSERT_NE(dialog->Create(nullptr), nullptr);
  ShowWindow(Window(), SW_SHOWNORMAL);
}

std::string DialogTest::ItemText(int id) const {
  char text[2048] = {};
  GetDlgItemTextA(Window(), id, text, sizeof text);
  return text;
}

std::string DialogTest::SelectedCity() const {
  HWND city = Item(IDC_CITY);
  LRESULT item = SendMessageA(city, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return "<none>";
  char text[64] = {};
  SendMessageA(city, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
  return text;
}

void DialogTest::Click(int id) const { SendMessageA(Item(id), BM_CLICK, 0, 0); }

void DialogTest::StoreText(const std::string& bytes, DWORD type) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "text", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
}

void DialogTest::StoreCity(const void* data, DWORD size, DWORD type) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "city", 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

bool DialogTest::StoredText(std::string& text) const {
  char bytes[4096] = {};
  DWORD size = sizeof bytes;
  DWORD type = 0;
  if (RegGetValueA(HKEY_CURRENT_USER, keyPath.c_str(), "text", RRF_RT_ANY, &type, bytes, &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ || size == 0 || bytes[size - 1] != '\0') {
    return false;
  }
  text.assign(bytes, size - 1);
  return true;
}

bool DialogTest::StoredCity(DWORD& row) const {
  DWORD size = sizeof row;
  return RegGetValueA(HKEY_CURRENT_USER, keyPath.c_str(), "city", RRF_RT_REG_DWORD, nullptr, &row, &size) ==
         ERROR_SUCCESS;
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
      char text[1024] = {};
      LVITEMA cell{};
      cell.iSubItem = column;
      cell.pszText = text;
      cell.cchTextMax = sizeof text;
      SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&cell));
      row.cells[column] = text;
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
