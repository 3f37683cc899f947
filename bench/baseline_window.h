#pragma once
// The start-up baselines' common body: one top-level window of 600 x 440 in the button-face colour,
// shown and run until it is closed. `furnish` adds what a baseline has inside the window.
#include <windows.h>
#include <commctrl.h>

namespace baseline {

inline LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

constexpr int kTabs = 9;

// A page control of nine tabs filling the window, in the stock GUI font.
inline HWND AddNineTabs(HWND window, HINSTANCE instance) {
  RECT client;
  GetClientRect(window, &client);
  HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, client.right,
                              client.bottom, window, nullptr, instance, nullptr);
  SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  wchar_t caption[] = L"Page 0";
  for (int i = 0; i < kTabs; ++i) {
    caption[5] = static_cast<wchar_t>(L'1' + i);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  return tabs;
}

inline int RunWindow(HINSTANCE instance, int showCommand, const wchar_t* className, const wchar_t* caption,
                     void (*furnish)(HWND, HINSTANCE)) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  if (!RegisterClassW(&windowClass)) return 1;
  HWND window = CreateWindowExW(0, className, caption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 600, 440,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  if (furnish) furnish(window, instance);
  ShowWindow(window, showCommand);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace baseline
