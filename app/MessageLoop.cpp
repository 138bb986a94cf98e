#include "app/MessageLoop.h"

#include <algorithm>

namespace {

template <typename T>
bool RemoveFrom(std::vector<T*>& list, T* item) {
  auto found = std::find(list.begin(), list.end(), item);
  if (found == list.end()) return false;
  list.erase(found);
  return true;
}

}  // namespace

bool CMessageLoop::AddMessageFilter(CMessageFilter* filter) {
  filters_.push_back(filter);
  return true;
}

bool CMessageLoop::RemoveMessageFilter(CMessageFilter* filter) { return RemoveFrom(filters_, filter); }

bool CMessageLoop::AddIdleHandler(CIdleHandler* handler) {
  idleHandlers_.push_back(handler);
  return true;
}

bool CMessageLoop::RemoveIdleHandler(CIdleHandler* handler) { return RemoveFrom(idleHandlers_, handler); }

int CMessageLoop::Run() {
  bool doIdle = true;
  int idleCount = 0;
  for (;;) {
    while (doIdle && !PeekMessageW(&msg_, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) doIdle = false;
    }
    BOOL got = GetMessageW(&msg_, nullptr, 0, 0);
    if (got == -1) continue;
    if (!got) break;
    if (!PreTranslateMessage(&msg_)) {
      TranslateMessage(&msg_);
      DispatchMessageW(&msg_);
    }
    if (IsIdleMessage(msg_)) {
      doIdle = true;
      idleCount = 0;
    }
  }
  return static_cast<int>(msg_.wParam);
}

BOOL CMessageLoop::PreTranslateMessage(MSG* msg) {
  // A filter may leave the list while it runs (its window closing): walk a copy.
  std::vector<CMessageFilter*> filters(filters_);
  for (auto it = filters.rbegin(); it != filters.rend(); ++it) {
    if ((*it)->PreTranslateMessage(msg)) return TRUE;
  }
  return FALSE;
}

BOOL CMessageLoop::OnIdle(int /*idleCount*/) {
  std::vector<CIdleHandler*> handlers(idleHandlers_);
  for (CIdleHandler* handler : handlers) handler->OnIdle();
  return FALSE;
}

bool CMessageLoop::IsIdleMessage(const MSG& msg) {
  switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case 0x0118:  // the caret-blink system timer
      return false;
  }
  return true;
}
