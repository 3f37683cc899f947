#include "tools/alarm/AlarmSettings.h"

namespace {
constexpr wchar_t kAlarm[] = L"Alarm";
}  // namespace

void WriteAlarmSettings(const AlarmSettings& settings, SettingsFile& file) {
  SettingsSection& alarm = file.AddSection(kAlarm);
  alarm.SetTime(L"Time", settings.minuteOfDay);
  alarm.SetText(L"Sound", settings.sound, kPathTextLimit);
  alarm.SetFlag(L"Armed", settings.armed);
  alarm.SetNumber(L"Snooze", settings.snoozeMinutes);
  if (settings.repeat) alarm.SetText(L"Repeat", std::wstring(RepeatWord(*settings.repeat)), 16);
}

AlarmSettings ReadAlarmSettings(const SettingsFile& file) {
  const SettingsSection& alarm = file.Section(kAlarm);
  std::optional<int> snooze = alarm.Number(L"Snooze", kSnoozeMinutes.front(), kSnoozeMinutes.back());
  if (snooze && !IsSnoozeLength(*snooze)) snooze.reset();
  const auto repeat = alarm.Choice(L"Repeat", {RepeatWord(kAlarmRepeats[0]), RepeatWord(kAlarmRepeats[1]),
                                               RepeatWord(kAlarmRepeats[2]), RepeatWord(kAlarmRepeats[3])});
  return {alarm.Time(L"Time"), alarm.Text(L"Sound", kPathTextLimit), alarm.Flag(L"Armed"), snooze,
          repeat ? std::optional<AlarmRepeat>(kAlarmRepeats[*repeat]) : std::nullopt};
}
