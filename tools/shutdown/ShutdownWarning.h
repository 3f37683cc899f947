#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The small topmost window that warns of the timed shutdown. It stands apart from the main window, so
// it shows while that one is hidden in the tray. It never takes the keyboard: once the user clicks it or
// switches to it, Tab goes between its buttons, Enter presses "Postpone 10 minutes" (never the shutdown),
// Esc and the close box cancel. Its text counts the seconds down.
class ShutdownWarning {
 public:
  struct Actions {
    std::function<void()> now, postpone, cancel;
  };
  // programWindow: the main window, whose icons the warning shows in its caption and on the taskbar.
  ShutdownWarning(HWND programWindow, HFONT font, Actions actions);
  ~ShutdownWarning();
  ShutdownWarning(const ShutdownWarning&) = delete;
  ShutdownWarning& operator=(const ShutdownWarning&) = delete;

  // The warning's text for a restart or a power-off, with the seconds left.
  static std::wstring Text(bool reboot, int seconds);
  // The balloons that say it was put off or cancelled.
  static std::wstring PostponedText(bool reboot);
  static std::wstring CancelledText(bool reboot);
  void Show(bool reboot, int seconds);
  void ShowSecondsLeft(int seconds);
  void Hide();

  HWND Handle = nullptr, LblText = nullptr, BtnNow = nullptr, BtnPostpone = nullptr, BtnCancel = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Run(const std::function<void()>& action);

  Actions actions_;
  bool reboot_ = false;
  HWND focusedButton_ = nullptr;
};
