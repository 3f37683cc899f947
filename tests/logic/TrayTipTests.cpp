#include "utilities/TrayTip.h"

#include <gtest/gtest.h>

TEST(TrayTip, OneLinePerArmedToolCutToWhatTheTipHolds) {
  const std::wstring longAlert = L"Alert: C: below " + std::wstring(120, L'9') + L" GB";
  const struct {
    std::vector<std::wstring> lines;
    std::wstring tip;
  } cases[] = {
      {{}, L"Quoxel"},
      {{ArmedAtLine(L"Alarm", 7, 30)}, L"Quoxel\nAlarm: 07:30"},
      {{L"Alert: C: below 10.0 GB", ArmedAtLine(L"Alarm", 0, 5), ArmedAtLine(L"Reboot", 23, 0)},
       L"Quoxel\nAlert: C: below 10.0 GB\nAlarm: 00:05\nReboot: 23:00"},
      {{longAlert}, (L"Quoxel\n" + longAlert).substr(0, kTrayTipLength)},
  };
  for (const auto& c : cases) EXPECT_EQ(TrayTip(c.lines), c.tip);
  EXPECT_EQ(TrayTip({longAlert}).size(), kTrayTipLength);
}
