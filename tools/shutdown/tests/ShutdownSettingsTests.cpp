#include "tools/shutdown/ShutdownSettings.h"

#include <gtest/gtest.h>

TEST(ShutdownSettings, TheActionIsEitherWordInAnyCase) {
  const struct {
    const wchar_t* line;
    std::optional<bool> reboot;
  } cases[] = {{L"Action=Reboot", true},
               {L" action =SHUTDOWN", false},
               {L"Action=Halt", std::nullopt},
               {L"Action=", std::nullopt}};
  for (const auto& c : cases)
    EXPECT_EQ(ReadShutdownSettings(SettingsFile::Decode({L"[Shutdown]", c.line})).reboot, c.reboot) << c.line;
  SettingsFile file;
  WriteShutdownSettings({0, false}, file);
  EXPECT_EQ(file.Encode(), "\xEF\xBB\xBF[Shutdown]\r\nTime=00:00\r\nAction=Shutdown\r\n");
}
