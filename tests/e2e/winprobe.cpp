// Looks at and acts on the windows of the Wine desktop from outside the program under test:
//   winprobe wait CAPTION MILLISECONDS         exit 0 once a visible top-level window has the caption
//   winprobe close CAPTION                     ask that window to close (WM_CLOSE); exit 0 when found
//   winprobe post CAPTION MESSAGE LPARAM       post a message (numbers in decimal or 0x hex)
//   winprobe keys VK...                        type virtual keys (hex) into the foreground window
//   winprobe click X Y                         a left click at a point of the screen
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

int Post(const wchar_t* caption, const wchar_t* message, const wchar_t* lParam) {
  HWND window = FindWindowW(nullptr, caption);
  if (!window) return 1;
  PostMessageW(window, wcstoul(message, nullptr, 0), 0, wcstoul(lParam, nullptr, 0));
  return 0;
}

int Keys(int count, wchar_t** keys) {
  for (int i = 0; i < count; ++i) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = static_cast<WORD>(wcstoul(keys[i], nullptr, 16));
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(150);
  }
  return 0;
}

int Click(int x, int y) {
  SetCursorPos(x, y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
  Sleep(150);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"wait" && argc >= 4) return Wait(argv[2], wcstoul(argv[3], nullptr, 10));
  if (command == L"close" && argc >= 3) return Close(argv[2]);
  if (command == L"post" && argc >= 5) return Post(argv[2], argv[3], argv[4]);
  if (command == L"keys" && argc >= 3) return Keys(argc - 2, argv + 2);
  if (command == L"click" && argc >= 4) return Click(_wtoi(argv[2]), _wtoi(argv[3]));
  return 2;
}
