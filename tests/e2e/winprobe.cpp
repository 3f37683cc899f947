// Looks at the windows of the Wine desktop from outside the program under test:
//   winprobe wait CAPTION MILLISECONDS   exit 0 once a visible top-level window has the caption
//   winprobe close CAPTION               ask that window to close (WM_CLOSE); exit 0 when found
#include <windows.h>

#include <string>

namespace {

HWND FindVisible(const wchar_t* caption) {
  HWND window = FindWindowW(nullptr, caption);
  return window && IsWindowVisible(window) ? window : nullptr;
}

int Wait(const wchar_t* caption, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    if (FindVisible(caption)) return 0;
    Sleep(100);
  }
  return 1;
}

int Close(const wchar_t* caption) {
  HWND window = FindWindowW(nullptr, caption);
  if (!window) return 1;
  PostMessageW(window, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && std::wstring(argv[1]) == L"wait") return Wait(argv[2], wcstoul(argv[3], nullptr, 10));
  if (argc >= 3 && std::wstring(argv[1]) == L"close") return Close(argv[2]);
  return 2;
}
