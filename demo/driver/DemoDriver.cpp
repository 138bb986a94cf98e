// nestari_demo_driver query|open ROW|close [DESKTOP]: finds the running
// program's window, on the named desktop when given (windows of another desktop
// refuse messages); "query" types the default keywords, presses Query, waits
// for the search to end and prints the result rows (GBK, one line each, cells
// separated by " | "); "open" double-clicks row ROW (from 0); "close" closes
// the window.
#include "demo/driver/MainWindow.h"
#include "app/resource.h"
#include "search/ProgramTexts.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The list view of another process: a request and its text buffer must live
// in that process's memory.
class RemoteList {
public:
  explicit RemoteList(HWND list) : list_(list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_) memory_ = VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteList() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteList(const RemoteList&) = delete;
  RemoteList& operator=(const RemoteList&) = delete;

  bool Ready() const { return memory_ != nullptr; }

  std::string Cell(int row, int column) {
    auto* remote = static_cast<char*>(memory_);
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = remote + sizeof item;
    item.cchTextMax = kSize - sizeof item;
    char text[kSize] = {};
    SIZE_T moved = 0;
    if (!WriteProcessMemory(process_, remote, &item, sizeof item, &moved)) return {};
    SendMessageA(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote));
    if (!ReadProcessMemory(process_, remote + sizeof item, text, kSize - sizeof item - 1, &moved)) {
      return {};
    }
    return text;
  }

  // Where the row is in the list's client area.
  bool RowCentre(int row, POINT& centre) {
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    SIZE_T moved = 0;
    if (!WriteProcessMemory(process_, memory_, &rect, sizeof rect, &moved) ||
        !SendMessageA(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(memory_)) ||
        !ReadProcessMemory(process_, memory_, &rect, sizeof rect, &moved)) {
      return false;
    }
    centre = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return true;
  }

private:
  static constexpr int kSize = 4096;
  HWND list_;
  HANDLE process_ = nullptr;
  void* memory_ = nullptr;
};

int Query(HWND window) {
  SetDlgItemTextA(window, IDC_KEYWORDS, kTextDefaultKeywords);  // as if typed
  if (!PressQuery(window)) {
    std::fprintf(stderr, "the search did not end\n");
    return 1;
  }
  HWND list = GetDlgItem(window, IDC_RESULT_LIST);
  int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  RemoteList reader(list);
  if (!reader.Ready()) return 1;
  for (int row = 0; row < rows; ++row) {
    std::string line;
    for (int column = 0; column < 4; ++column) {
      if (column) line += " | ";
      line += reader.Cell(row, column);
    }
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

// Double-clicks the row, as the tests do, and returns once the window has
// handled it.
int Open(HWND window, int row) {
  HWND list = GetDlgItem(window, IDC_RESULT_LIST);
  RemoteList remote(list);
  POINT centre{};
  if (!remote.Ready() || !remote.RowCentre(row, centre)) {
    std::fprintf(stderr, "no row %d\n", row);
    return 1;
  }
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(centre.x, centre.y), SMTO_NORMAL,
                             30000, &ignored)
             ? 0
             : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool open = argc >= 3 && std::strcmp(argv[1], "open") == 0;
  const int words = open ? 3 : 2;
  if (argc < words || argc > words + 1 ||
      (!open && std::strcmp(argv[1], "query") != 0 && std::strcmp(argv[1], "close") != 0)) {
    std::fprintf(stderr, "usage: nestari_demo_driver query|open ROW|close [DESKTOP]\n");
    return 2;
  }
  HWND window = WaitForMainWindow(argc > words ? argv[words] : nullptr);
  if (!window) {
    std::fprintf(stderr, "no window %s\n", kTextWindowTitle);
    return 1;
  }
  if (std::strcmp(argv[1], "close") == 0) return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (open) return Open(window, std::atoi(argv[2]));
  return Query(window);
}
