#pragma once
#include <windows.h>

// The DPI a window is shown at: its monitor's where Windows gives each window its own (Windows 10 and
// later), the screen's otherwise.
int WindowDpi(HWND window);
// The screen's DPI, for what is measured before the window exists.
int ScreenDpi();
// A system metric (GetSystemMetrics' index) for a window at this DPI: the system gives its own
// metrics for its own DPI, which a window on another monitor does not have.
int SystemMetricAtDpi(int index, int dpi);
