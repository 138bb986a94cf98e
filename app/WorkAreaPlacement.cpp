#include "app/WorkAreaPlacement.h"

namespace {

LONG CentreSpan(LONG size, LONG low, LONG high) {
  LONG start = (low + high) / 2 - size / 2;
  if (start + size > high) start = high - size;
  if (start < low) start = low;
  return start;
}

}  // namespace

POINT CentreOnWorkArea(const RECT& window, const RECT& workArea) {
  return POINT{CentreSpan(window.right - window.left, workArea.left, workArea.right),
               CentreSpan(window.bottom - window.top, workArea.top, workArea.bottom)};
}
