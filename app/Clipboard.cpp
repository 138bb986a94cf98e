#include "app/Clipboard.h"

#include "net/WideText.h"

#include <cstring>

namespace {

// Open for as long as it lives; another program may hold it, and then it is not.
class OpenedClipboard {
public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

private:
  bool open_;
};

}  // namespace

bool PutClipboardText(HWND owner, const std::string& local) {
  const std::wstring wide = LocalToWide(local);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(memory);
    OpenedClipboard clipboard(owner);
    // Once set, the memory is the clipboard's.
    if (clipboard.IsOpen() && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory)) return true;
  }
  GlobalFree(memory);
  return false;
}
