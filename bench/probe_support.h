#pragma once
// What the benchmarks' probes share: a clock, the message pump and a window that never waits for a
// person. Each probe drives the real main window in its own process.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "bench/bench_clock.h"
#include "platform/Boxes.h"
#include "platform/Shell.h"

inline void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The window's first paint and the desktop's reaction to a new window are not what a probe times.
inline void Settle(DWORD milliseconds = 200) {
  PumpMessages();
  Sleep(milliseconds);
  PumpMessages();
}

inline void InitControls() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
}

inline std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], size, nullptr, nullptr);
  bytes.resize(bytes.size() - 1);
  return bytes;
}

// No icon in the desktop and no browser; a box is reported under the probe's name, counted in
// `boxesShown` and answered No.
inline int boxesShown = 0;
inline void KeepItHeadless(const char* probe) {
  static const char* name = probe;
  SetNotifyIconTaker([](DWORD, const NOTIFYICONDATAW&) {});
  SetBrowserOpener([](const std::wstring&) {});
  SetBoxAnswerer([](const BoxCall& box) {
    std::fprintf(stderr, "%s: a box came up: %s\n", name, Utf8(box.text).c_str());
    ++boxesShown;
    return IDNO;
  });
}
