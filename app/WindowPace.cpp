#include "app/WindowPace.h"

#include "net/WideText.h"
#include "search/ProgramTexts.h"

#include <cstdio>
#include <vector>

namespace {

struct MessageRange {
  UINT first;
  UINT last;
};

// Keys, clicks and the caption's clicks: taken off the queue in a wait, so
// that none of them acts on rows the user never saw.
constexpr MessageRange kInputRanges[] = {
    {WM_KEYFIRST, WM_KEYLAST}, {WM_MOUSEFIRST, WM_MOUSELAST}, {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}};

// A window whose paint never validates it must not hold a wait.
constexpr int kMostPaintsPerWait = 64;

}  // namespace

WindowPace::~WindowPace() {
  if (progressShown_) SetWindowTextW(window_, LocalToWide(kTextWindowTitle).c_str());
}

bool WindowPace::KeepWaiting() {
  if (!progressShown_) ShowProgress();
  MSG msg;
  // Any PeekMessage delivers what other threads and programs have sent.
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  for (int i = 0; i < kMostPaintsPerWait && PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
    DispatchMessageW(&msg);
  TakeQueuedInput();
  return !stopped_;
}

void WindowPace::TakeQueuedInput() {
  MSG msg;
  for (const MessageRange& range : kInputRanges) {
    while (PeekMessageW(&msg, nullptr, range.first, range.last, PM_REMOVE)) TakeInput(msg);
  }
  TakePostedClose();
}

void WindowPace::TakeInput(const MSG& msg) {
  constexpr LPARAM kAltHeld = 1 << 29;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
    stopped_ = true;
  else if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4 && (msg.lParam & kAltHeld))
    RequestClose();
  else if (msg.message == WM_NCLBUTTONDOWN && msg.wParam == HTCLOSE && msg.hwnd == window_)
    RequestClose();
}

// A close posted to the window (the task bar's, or another program's),
// wherever it stands in the queue. A look at the queue shows only the first
// system command: each is taken off in turn, and any other than a close is
// posted again, in its order, to wait for the search to end.
void WindowPace::TakePostedClose() {
  MSG msg;
  while (PeekMessageW(&msg, window_, WM_CLOSE, WM_CLOSE, PM_REMOVE)) RequestClose();
  std::vector<MSG> others;
  while (PeekMessageW(&msg, window_, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE)) {
    if ((msg.wParam & 0xFFF0) == SC_CLOSE)
      RequestClose();
    else
      others.push_back(msg);
  }
  for (const MSG& other : others) PostMessageW(other.hwnd, other.message, other.wParam, other.lParam);
}

// A search over a fast network is over before a count could be read: the
// title, whose every change redraws the caption, stays as it is until a
// request has lasted 50 ms.
void WindowPace::RequestsDone(int done, int planned) {
  done_ = done;
  planned_ = planned;
  if (progressShown_) ShowProgress();
}

void WindowPace::ShowProgress() {
  char title[128];
  std::snprintf(title, sizeof title, kTextSearchProgress, done_, planned_);
  SetWindowTextW(window_, LocalToWide(title).c_str());
  progressShown_ = true;
}
