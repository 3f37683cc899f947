#pragma once
#include <array>

// On which days the alarm rings at its minute.
enum class AlarmRepeat { EveryDay, Weekdays, Weekends, Once };

// The choices in the order of the "Repeat" list.
constexpr std::array<AlarmRepeat, 4> kAlarmRepeats{AlarmRepeat::EveryDay, AlarmRepeat::Weekdays, AlarmRepeat::Weekends,
                                                   AlarmRepeat::Once};
// As the list shows it.
const wchar_t* RepeatText(AlarmRepeat repeat);
// As the settings file keeps it.
const wchar_t* RepeatWord(AlarmRepeat repeat);

// The lengths of a snooze, in the order of the "Snooze for" list.
constexpr std::array<int, 5> kSnoozeMinutes{5, 10, 15, 20, 30};
constexpr int kDefaultSnoozeMinutes = 10;
bool IsSnoozeLength(int minutes);

// 0 for Sunday to 6 for Saturday.
int DayOfWeek(int year, int month, int day);
// Whether the alarm rings at its minute on that date.
bool RingsOn(AlarmRepeat repeat, int year, int month, int day);
// The minute of the day `minutes` after `minuteOfDay`, past midnight too.
int MinuteOfDayAfter(int minuteOfDay, int minutes);
