#pragma once
#include <windows.h>

#include "ui/Controls.h"

struct TimeOfDay {
  int hour, minute, second;
};

// A time-only date-time picker that shows the time as hours, minutes and seconds ("12:00:00").
HWND CreateTimePicker(HWND parent, Bounds bounds, HFONT font, TimeOfDay shown);
// The time the picker shows.
TimeOfDay PickedTime(HWND picker);
// Shows the time; the picker does not report it as the user's change.
void ShowPickedTime(HWND picker, TimeOfDay shown);
// The same as the minutes since midnight (hour * 60 + minute), seconds left out or at 0.
int PickedMinuteOfDay(HWND picker);
void ShowMinuteOfDay(HWND picker, int minuteOfDay);
