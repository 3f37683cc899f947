#include "platform/Dpi.h"

#include "platform/SystemLibrary.h"

namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);

// Windows 7 and 8 have no DPI of a window: there it is the screen's for every window.
DpiForWindow WindowDpiFunction() {
  static const DpiForWindow function = SystemFunction<DpiForWindow>(L"user32.dll", "GetDpiForWindow");
  return function;
}

using MetricsForDpi = int(WINAPI*)(int, UINT);

MetricsForDpi MetricsForDpiFunction() {
  static const MetricsForDpi function = SystemFunction<MetricsForDpi>(L"user32.dll", "GetSystemMetricsForDpi");
  return function;
}

}  // namespace

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int WindowDpi(HWND window) {
  if (const DpiForWindow function = WindowDpiFunction())
    if (const UINT dpi = function(window)) return static_cast<int>(dpi);
  return ScreenDpi();
}

int SystemMetricAtDpi(int index, int dpi) {
  if (const MetricsForDpi function = MetricsForDpiFunction()) return function(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}
