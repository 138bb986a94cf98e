#pragma once

#include <windows.h>

// Keeps a window from redrawing while it lives: each change to a list view
// with redrawing on repaints at once, which costs milliseconds a row under
// Wine. On again when it goes, with the whole window invalidated once.
class PausedRedraw {
public:
  explicit PausedRedraw(HWND window) : window_(window) { SendMessageW(window_, WM_SETREDRAW, FALSE, 0); }
  ~PausedRedraw() {
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_, nullptr, TRUE);
  }
  PausedRedraw(const PausedRedraw&) = delete;
  PausedRedraw& operator=(const PausedRedraw&) = delete;

private:
  HWND window_;
};
