// The ring window of the alarm: a caption, the wake-up text and two buttons, laid out in 96-DPI
// lengths scaled to the window's DPI.
#include "tools/alarm/AlarmRing.h"

#include <mmsystem.h>

#include <utility>

#include "platform/HighContrast.h"
#include "ui/Controls.h"
#include "ui/StandaloneNotice.h"
#include "ui/WindowObject.h"
#include "utilities/TrayTip.h"

namespace {

constexpr wchar_t kRingClass[] = L"QuoxelAlarmRing";
constexpr wchar_t kCaption[] = L"Quoxel: Alarm";
constexpr SIZE kClientSize{260, 85};

}  // namespace

AlarmRing::AlarmRing(HWND programWindow, HFONT font, Actions actions) : actions_(std::move(actions)) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterFaceWindowClass(instance, kRingClass, WindowProc);
  // No owner: an owned window would hide with the main window when that one goes to the tray.
  CreateWindowExW(WS_EX_TOPMOST | WS_EX_CONTROLPARENT, kRingClass, kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                  CW_USEDEFAULT, CW_USEDEFAULT, kClientSize.cx, kClientSize.cy, nullptr, nullptr, instance, this);
  ShowProgramIcons(Handle, programWindow);
  // Made before the buttons, the text names the window's content for screen readers.
  LblText = CreateLabel(Handle, Text(0, 0), {12, 14, 236, 16}, font);
  BtnSnooze =
      CreateChild(Handle, L"BUTTON", L"Snooze", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, {42, 48, 85, 25}, IDOK, font);
  BtnStop = CreateChild(Handle, L"BUTTON", L"Stop", WS_TABSTOP | BS_PUSHBUTTON, {133, 48, 85, 25}, IDCANCEL, font);
  if (HighContrastOn()) FollowContrastInStyles(Handle);
  FitNoticeToLayout(Handle, kClientSize);
}

AlarmRing::~AlarmRing() {
  if (IsWindow(Handle)) DestroyWindow(Handle);
}

std::wstring AlarmRing::Text(int hour, int minute) { return L"Wake up! It is " + ClockTime(hour, minute) + L"."; }

void AlarmRing::Show(int hour, int minute) {
  SetWindowTextW(LblText, Text(hour, minute).c_str());
  ShowNoticeWithoutKeyboard(Handle);
}

void AlarmRing::Hide() { ShowWindow(Handle, SW_HIDE); }

void AlarmRing::Run(const std::function<void()>& action) {
  Hide();
  if (action) action();
}

LRESULT CALLBACK AlarmRing::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  AlarmRing* ring = WindowObject(window, message, lParam, &AlarmRing::Handle);
  if (!ring) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) break;
      if (LOWORD(wParam) == IDOK) ring->Run(ring->actions_.snooze);
      if (LOWORD(wParam) == IDCANCEL) ring->Run(ring->actions_.stop);
      return 0;
    case WM_ACTIVATE:
      FollowNoticeActivation(window, LOWORD(wParam) != WA_INACTIVE, ring->BtnSnooze, ring->focusedButton_);
      return 0;
    case WM_CLOSE:
      ring->Run(ring->actions_.stop);
      return 0;
    case MM_MCINOTIFY:
      // Only a play that ran to its end: a stop or a new play reports the one before as aborted.
      if (wParam == MCI_NOTIFY_SUCCESSFUL && ring->actions_.soundEnded) ring->actions_.soundEnded();
      return 0;
    case WM_CTLCOLORSTATIC:
      return NoticeTextColour(reinterpret_cast<HDC>(wParam));
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
