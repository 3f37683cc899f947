#include "ui/StandaloneNotice.h"

#include <utility>

#include "platform/Dpi.h"
#include "utilities/DpiScale.h"

void ShowProgramIcons(HWND notice, HWND programWindow) {
  for (const auto& [size, classIcon] : {std::pair{ICON_SMALL, GCLP_HICONSM}, std::pair{ICON_BIG, GCLP_HICON}})
    SendMessageW(notice, WM_SETICON, size, static_cast<LPARAM>(GetClassLongPtrW(programWindow, classIcon)));
}

void FitNoticeToLayout(HWND notice, SIZE clientSize) {
  const int dpi = WindowDpi(notice);
  RECT frame{0, 0, ScaleToDpi(clientSize.cx, dpi), ScaleToDpi(clientSize.cy, dpi)};
  AdjustWindowRectEx(&frame, GetWindowLongW(notice, GWL_STYLE), FALSE, GetWindowLongW(notice, GWL_EXSTYLE));
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  SetWindowPos(notice, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowNoticeWithoutKeyboard(HWND notice) {
  SetWindowPos(notice, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void FollowNoticeActivation(HWND notice, bool active, HWND defaultButton, HWND& focused) {
  const HWND focus = GetFocus();
  if (!active && IsChild(notice, focus)) focused = focus;
  if (active) SetFocus(focused ? focused : defaultButton);
}

LRESULT NoticeTextColour(HDC dc) {
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}
