#include "tools/alarm/AlarmSchedule.h"

#include <algorithm>

namespace {
constexpr int kMinutesADay = 24 * 60;
}  // namespace

const wchar_t* RepeatText(AlarmRepeat repeat) {
  switch (repeat) {
    case AlarmRepeat::Weekdays: return L"Weekdays (Mon\u2013Fri)";
    case AlarmRepeat::Weekends: return L"Weekends";
    case AlarmRepeat::Once: return L"Once";
    case AlarmRepeat::EveryDay: break;
  }
  return L"Every day";
}

const wchar_t* RepeatWord(AlarmRepeat repeat) {
  switch (repeat) {
    case AlarmRepeat::Weekdays: return L"Weekdays";
    case AlarmRepeat::Weekends: return L"Weekends";
    case AlarmRepeat::Once: return L"Once";
    case AlarmRepeat::EveryDay: break;
  }
  return L"EveryDay";
}

bool IsSnoozeLength(int minutes) {
  return std::find(kSnoozeMinutes.begin(), kSnoozeMinutes.end(), minutes) != kSnoozeMinutes.end();
}

// Zeller's congruence, with January and February counted as months 13 and 14 of the year before.
int DayOfWeek(int year, int month, int day) {
  if (month < 3) month += 12, --year;
  const int century = year / 100, yearOfCentury = year % 100;
  const int saturdayFirst = (day + 13 * (month + 1) / 5 + yearOfCentury + yearOfCentury / 4 + century / 4 + 5 * century) % 7;
  return (saturdayFirst + 6) % 7;
}

bool RingsOn(AlarmRepeat repeat, int year, int month, int day) {
  const int weekday = DayOfWeek(year, month, day);
  const bool weekend = weekday == 0 || weekday == 6;
  switch (repeat) {
    case AlarmRepeat::Weekdays: return !weekend;
    case AlarmRepeat::Weekends: return weekend;
    case AlarmRepeat::EveryDay:
    case AlarmRepeat::Once: break;
  }
  return true;
}

int MinuteOfDayAfter(int minuteOfDay, int minutes) { return (minuteOfDay + minutes) % kMinutesADay; }
