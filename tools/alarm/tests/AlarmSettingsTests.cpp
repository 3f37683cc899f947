#include "tools/alarm/AlarmSettings.h"

#include <gtest/gtest.h>

TEST(AlarmSettings, SnoozeIsAListedLengthAndRepeatOneOfItsWords) {
  const struct {
    const wchar_t* line;
    std::optional<int> snooze;
    std::optional<AlarmRepeat> repeat;
  } cases[] = {{L"Snooze=15", 15, std::nullopt},
               {L"Snooze=5", 5, std::nullopt},
               {L"Snooze=25", std::nullopt, std::nullopt},
               {L"Snooze=100", std::nullopt, std::nullopt},
               {L"Repeat=weekdays", std::nullopt, AlarmRepeat::Weekdays},
               {L"Repeat=ONCE", std::nullopt, AlarmRepeat::Once},
               {L"Repeat=Weekdays (Mon\u2013Fri)", std::nullopt, std::nullopt}};
  for (const auto& c : cases) {
    const AlarmSettings settings = ReadAlarmSettings(SettingsFile::Decode({L"[Alarm]", c.line}));
    EXPECT_EQ(settings.snoozeMinutes, c.snooze) << c.line;
    EXPECT_EQ(settings.repeat, c.repeat) << c.line;
  }
  SettingsFile file;
  WriteAlarmSettings({7 * 60 + 30, std::nullopt, true, 20, AlarmRepeat::Weekends}, file);
  EXPECT_EQ(file.Encode(), "\xEF\xBB\xBF[Alarm]\r\nTime=07:30\r\nArmed=1\r\nSnooze=20\r\nRepeat=Weekends\r\n");
}
