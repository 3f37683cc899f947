#pragma once
#include <optional>
#include <string>

#include "tools/alarm/AlarmSchedule.h"
#include "utilities/SettingsFile.h"

// What the alarm keeps among the remembered settings, in [Alarm]: Time=07:30, Sound=<path>, Armed=0,
// Snooze=10 (one of the listed lengths), Repeat=EveryDay|Weekdays|Weekends|Once.
struct AlarmSettings {
  std::optional<int> minuteOfDay;
  std::optional<std::wstring> sound;
  std::optional<bool> armed;
  std::optional<int> snoozeMinutes;
  std::optional<AlarmRepeat> repeat;
};

void WriteAlarmSettings(const AlarmSettings& settings, SettingsFile& file);
AlarmSettings ReadAlarmSettings(const SettingsFile& file);
