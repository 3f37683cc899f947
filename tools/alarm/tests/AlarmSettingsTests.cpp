#include "tools/alarm/AlarmSettings.h"

#include <gtest/gtest.h>

TEST(AlarmSettings, ReadBackFromTheAlarmsSection) {
  const AlarmSettings read =
      ReadAlarmSettings(SettingsFile::Decode({L"[Alert]", L"Armed=1", L"[Alarm]", L"Time=24:00",
                                              L"Sound=" + std::wstring(kPathTextLimit + 1, L'a'), L"Armed=1"}));
  EXPECT_EQ(read.minuteOfDay, std::nullopt);
  EXPECT_EQ(read.sound, std::nullopt);
  EXPECT_EQ(read.armed, true);
  SettingsFile file;
  WriteAlarmSettings({6 * 60 + 5, L"C:\\a\r\nb.wav", false}, file);
  EXPECT_EQ(file.Encode(), "\xEF\xBB\xBF[Alarm]\r\nTime=06:05\r\nArmed=0\r\n");
}
