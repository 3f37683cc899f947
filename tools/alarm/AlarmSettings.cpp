#include "tools/alarm/AlarmSettings.h"

namespace {
constexpr wchar_t kAlarm[] = L"Alarm";
}  // namespace

void WriteAlarmSettings(const AlarmSettings& settings, SettingsFile& file) {
  SettingsSection& alarm = file.AddSection(kAlarm);
  alarm.SetTime(L"Time", settings.minuteOfDay);
  alarm.SetText(L"Sound", settings.sound, kPathTextLimit);
  alarm.SetFlag(L"Armed", settings.armed);
}

AlarmSettings ReadAlarmSettings(const SettingsFile& file) {
  const SettingsSection& alarm = file.Section(kAlarm);
  return {alarm.Time(L"Time"), alarm.Text(L"Sound", kPathTextLimit), alarm.Flag(L"Armed")};
}
