#pragma once

#include <windows.h>

// Sizes in pixels are given for 96 DPI, the scale of 100 %.
constexpr int kBaseDpi = 96;

// The DPI of the monitor the window is on, or the system's where Windows has
// no per-monitor DPI (before Windows 10 1607, and some Wine versions).
int WindowDpi(HWND window);

// GetSystemMetrics at that DPI, where the system can tell; else at the system's.
int SystemMetricForDpi(int index, int dpi);
