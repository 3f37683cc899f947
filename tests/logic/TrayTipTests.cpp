#include "utilities/TrayTip.h"

#include <gtest/gtest.h>

TEST(TrayTip, OneLinePerArmedToolCutToWhatTheTipHolds) {
  const std::wstring longLine = L"Alert: C: below " + std::wstring(120, L'9') + L" GB";
  const std::pair<std::vector<std::wstring>, std::wstring> cases[] = {
      {{}, L"Quoxel"},
      {{L"Alert: C: below 1 GB", ArmedAtLine(L"Alarm", 7, 5)}, L"Quoxel\nAlert: C: below 1 GB\nAlarm: 07:05"},
      {{ArmedAtLine(L"Reboot", 23, 0), longLine}, (L"Quoxel\nReboot: 23:00\n" + longLine).substr(0, 127)}};
  for (const auto& [lines, tip] : cases) EXPECT_EQ(TrayTip(lines), tip);
}
