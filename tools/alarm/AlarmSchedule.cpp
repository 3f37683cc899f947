#include "tools/alarm/AlarmSchedule.h"

#include <algorithm>

namespace {

constexpr int kMinutesADay = 24 * 60;

struct RepeatNames {
  const wchar_t* text;
  const wchar_t* word;
};
// In the order of AlarmRepeat.
constexpr RepeatNames kRepeatNames[] = {{L"Every day", L"EveryDay"},
                                        {L"Weekdays (Mon\u2013Fri)", L"Weekdays"},
                                        {L"Weekends", L"Weekends"},
                                        {L"Once", L"Once"}};

}  // namespace

const wchar_t* RepeatText(AlarmRepeat repeat) { return kRepeatNames[static_cast<int>(repeat)].text; }
const wchar_t* RepeatWord(AlarmRepeat repeat) { return kRepeatNames[static_cast<int>(repeat)].word; }

bool IsSnoozeLength(int minutes) {
  return std::find(kSnoozeMinutes.begin(), kSnoozeMinutes.end(), minutes) != kSnoozeMinutes.end();
}

// Zeller's congruence, with January and February counted as months 13 and 14 of the year before.
int DayOfWeek(int year, int month, int day) {
  if (month < 3) month += 12, --year;
  const int century = year / 100, yearOfCentury = year % 100;
  const int saturdayFirst =
      (day + 13 * (month + 1) / 5 + yearOfCentury + yearOfCentury / 4 + century / 4 + 5 * century) % 7;
  return (saturdayFirst + 6) % 7;
}

bool RingsOn(AlarmRepeat repeat, int year, int month, int day) {
  const int weekday = DayOfWeek(year, month, day);
  const bool weekend = weekday == 0 || weekday == 6;
  if (repeat == AlarmRepeat::Weekdays) return !weekend;
  if (repeat == AlarmRepeat::Weekends) return weekend;
  return true;
}

int MinuteOfDayAfter(int minuteOfDay, int minutes) { return (minuteOfDay + minutes) % kMinutesADay; }
