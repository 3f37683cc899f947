#include "ui/TimePicker.h"

#include <commctrl.h>

HWND CreateTimePicker(HWND parent, Bounds bounds, HFONT font, TimeOfDay shown) {
  // The program registers only the common classes at start; the picker's class comes with its use.
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
  InitCommonControlsEx(&classes);
  const HWND picker = CreateChild(parent, DATETIMEPICK_CLASSW, L"", WS_TABSTOP | DTS_TIMEFORMAT, bounds, 0, font);
  SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH:mm:ss"));
  ShowPickedTime(picker, shown);
  return picker;
}

void ShowPickedTime(HWND picker, TimeOfDay shown) {
  SYSTEMTIME time{
      2000, 1, 6, 1, static_cast<WORD>(shown.hour), static_cast<WORD>(shown.minute), static_cast<WORD>(shown.second),
      0};
  SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

int PickedMinuteOfDay(HWND picker) {
  const TimeOfDay time = PickedTime(picker);
  return time.hour * 60 + time.minute;
}

void ShowMinuteOfDay(HWND picker, int minuteOfDay) { ShowPickedTime(picker, {minuteOfDay / 60, minuteOfDay % 60, 0}); }

TimeOfDay PickedTime(HWND picker) {
  SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH:mm:ss"));
  SYSTEMTIME time{};
  SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  return TimeOfDay{time.wHour, time.wMinute, time.wSecond};
}
