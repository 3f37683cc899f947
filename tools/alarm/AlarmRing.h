#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The small topmost window of a ringing alarm. It stands apart from the main window, so it shows while
// that one is in the tray, and never takes the keyboard: once the user clicks it or switches to it,
// Enter presses "Snooze", Esc and the close box "Stop". It also hears the end of the sound it rings
// with (MM_MCINOTIFY), so that the sound can start again.
class AlarmRing {
 public:
  struct Actions {
    std::function<void()> snooze, stop, soundEnded;
  };
  // programWindow: the main window, whose icons the ring window shows in its caption and on the taskbar.
  AlarmRing(HWND programWindow, HFONT font, Actions actions);
  ~AlarmRing();
  AlarmRing(const AlarmRing&) = delete;
  AlarmRing& operator=(const AlarmRing&) = delete;

  static std::wstring Text(int hour, int minute);
  void Show(int hour, int minute);
  void Hide();

  HWND Handle = nullptr, LblText = nullptr, BtnSnooze = nullptr, BtnStop = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Run(const std::function<void()>& action);

  Actions actions_;
  HWND focusedButton_ = nullptr;
};
