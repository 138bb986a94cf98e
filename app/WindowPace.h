#pragma once

#include "search/SearchPace.h"

#include <windows.h>

// A search's course as the window lives it, on the one thread: every 50 ms of
// a request the window paints and answers what other programs send it; Esc
// stops the search, a close stops it and closes the window once the search
// is over, and every other key or click is dropped, up to the search's very
// end. Once a request has been long enough to notice, the title counts the
// requests; it comes back when the search ends.
class WindowPace : public SearchPace {
public:
  explicit WindowPace(HWND window) : window_(window) {}
  WindowPace(const WindowPace&) = delete;
  WindowPace& operator=(const WindowPace&) = delete;
  ~WindowPace() override;

  bool KeepWaiting() override;
  void RequestsDone(int done, int planned) override;
  bool StopRequested() override { return stopped_; }

  // Takes the keys and clicks off the queue as a wait does, a close too; also
  // once the rows are filled, so that none made before acts on them.
  void TakeQueuedInput();

  // A close came during the search: it stops, and the window closes after it.
  void RequestClose() { closeRequested_ = stopped_ = true; }
  bool CloseRequested() const { return closeRequested_; }

private:
  void TakeInput(const MSG& msg);
  void TakePostedClose();
  void ShowProgress();

  HWND window_;
  int done_ = 0;
  int planned_ = 0;
  bool progressShown_ = false;
  bool stopped_ = false;
  bool closeRequested_ = false;
};
