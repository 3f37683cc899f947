// The warning window of the timed shutdown: a caption, the counting text and three buttons, laid out
// in 96-DPI lengths scaled to the window's DPI.
#include "tools/shutdown/ShutdownWarning.h"

#include <utility>

#include "platform/HighContrast.h"
#include "ui/Controls.h"
#include "ui/StandaloneNotice.h"
#include "ui/WindowObject.h"

namespace {

constexpr wchar_t kWarningClass[] = L"QuoxelShutdownWarning";
constexpr wchar_t kCaption[] = L"Quoxel: Timed Shutdown";
constexpr int kIdNow = 100;  // Enter gives IDOK, the postponement; Esc gives IDCANCEL
constexpr SIZE kClientSize{360, 97};

const wchar_t* Verb(bool reboot) { return reboot ? L"restart" : L"shut down"; }
const wchar_t* ActionName(bool reboot) { return reboot ? L"Restart" : L"Shutdown"; }

}  // namespace

ShutdownWarning::ShutdownWarning(HWND programWindow, HFONT font, Actions actions) : actions_(std::move(actions)) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterFaceWindowClass(instance, kWarningClass, WindowProc);
  // No owner: an owned window would hide with the main window when that one goes to the tray.
  CreateWindowExW(WS_EX_TOPMOST | WS_EX_CONTROLPARENT, kWarningClass, kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                  CW_USEDEFAULT, CW_USEDEFAULT, kClientSize.cx, kClientSize.cy, nullptr, nullptr, instance, this);
  ShowProgramIcons(Handle, programWindow);
  // Made before the buttons, the text names the window's content for screen readers.
  LblText = CreateWrappedLabel(Handle, Text(false, 60), {12, 12, 336, 30}, font);
  BtnNow = CreateChild(Handle, L"BUTTON", L"Shut down now", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, {12, 60, 105, 25},
                       kIdNow, font);
  BtnPostpone = CreateChild(Handle, L"BUTTON", L"Postpone 10 minutes", WS_TABSTOP | BS_DEFPUSHBUTTON,
                            {123, 60, 126, 25}, IDOK, font);
  BtnCancel = CreateChild(Handle, L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, {255, 60, 93, 25}, IDCANCEL, font);
  if (HighContrastOn()) FollowContrastInStyles(Handle);
  FitNoticeToLayout(Handle, kClientSize);
}

ShutdownWarning::~ShutdownWarning() {
  if (IsWindow(Handle)) DestroyWindow(Handle);
}

std::wstring ShutdownWarning::Text(bool reboot, int seconds) {
  return std::wstring(L"Quoxel will ") + Verb(reboot) + L" the computer in " + std::to_wstring(seconds) +
         (seconds == 1 ? L" second" : L" seconds") + L". Save your work.";
}

std::wstring ShutdownWarning::PostponedText(bool reboot) {
  return std::wstring(ActionName(reboot)) + L" postponed: Quoxel will " + Verb(reboot) +
         L" the computer in 10 minutes.";
}

std::wstring ShutdownWarning::CancelledText(bool reboot) {
  return std::wstring(ActionName(reboot)) + L" cancelled: Timed Shutdown is disabled.";
}

void ShutdownWarning::Show(bool reboot, int seconds) {
  reboot_ = reboot;
  SetWindowTextW(BtnNow, reboot ? L"Restart now" : L"Shut down now");
  ShowSecondsLeft(seconds);
  ShowNoticeWithoutKeyboard(Handle);
}

void ShutdownWarning::ShowSecondsLeft(int seconds) { SetWindowTextW(LblText, Text(reboot_, seconds).c_str()); }

void ShutdownWarning::Hide() { ShowWindow(Handle, SW_HIDE); }

void ShutdownWarning::Run(const std::function<void()>& action) {
  Hide();
  if (action) action();
}

LRESULT CALLBACK ShutdownWarning::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ShutdownWarning* warning = WindowObject(window, message, lParam, &ShutdownWarning::Handle);
  if (!warning) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) break;
      if (LOWORD(wParam) == kIdNow) warning->Run(warning->actions_.now);
      if (LOWORD(wParam) == IDOK) warning->Run(warning->actions_.postpone);
      if (LOWORD(wParam) == IDCANCEL) warning->Run(warning->actions_.cancel);
      return 0;
    case WM_ACTIVATE:
      FollowNoticeActivation(window, LOWORD(wParam) != WA_INACTIVE, warning->BtnPostpone, warning->focusedButton_);
      return 0;
    case WM_CLOSE:
      warning->Run(warning->actions_.cancel);
      return 0;
    case WM_CTLCOLORSTATIC:
      return NoticeTextColour(reinterpret_cast<HDC>(wParam));
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
