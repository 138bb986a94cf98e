#include "app/DisplayScale.h"

namespace {

// Looked up at run time: linking them would keep the program from starting
// on the systems that lack them.
template <typename Function>
Function User32Function(const char* name) {
  FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

class ScreenContext {
public:
  ScreenContext() : dc_(GetDC(nullptr)) {}
  ~ScreenContext() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenContext(const ScreenContext&) = delete;
  ScreenContext& operator=(const ScreenContext&) = delete;
  HDC Get() const { return dc_; }

private:
  HDC dc_;
};

}  // namespace

int WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow) {
    if (int dpi = static_cast<int>(getDpiForWindow(window))) return dpi;
  }
  ScreenContext screen;
  int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : kBaseDpi;
}

int SystemMetricForDpi(int index, int dpi) {
  static const auto getSystemMetricsForDpi =
      User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (getSystemMetricsForDpi) return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
  return GetSystemMetrics(index);
}
