#pragma once
#include <optional>
#include <string>

#include "utilities/SettingsFile.h"

// What the alarm keeps among the remembered settings, in [Alarm]: Time=07:30, Sound=<path>, Armed=0.
struct AlarmSettings {
  std::optional<int> minuteOfDay;
  std::optional<std::wstring> sound;
  std::optional<bool> armed;
};

void WriteAlarmSettings(const AlarmSettings& settings, SettingsFile& file);
AlarmSettings ReadAlarmSettings(const SettingsFile& file);
