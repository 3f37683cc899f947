#include "tools/disk/DiskSettings.h"

#include <tuple>

#include <gtest/gtest.h>

namespace {
auto Fields(const DiskSettings& s) {
  return std::tie(s.alertDrive, s.alertThreshold, s.alertArmed, s.largestFilesCount);
}
}  // namespace

TEST(DiskSettings, ReadBackWithinTheirLimitsFromTheirOwnSections) {
  const struct {
    const char* row;
    std::vector<std::wstring> lines;
    DiskSettings expected;
  } cases[] = {
      {"every value",
       {L"[alert]", L"Drive=q", L"Threshold=7.5", L"Armed=0", L"[LargestFiles]", L"Count=5"},
       {L'Q', L"7.5", false, 5}},
      {"too long, too many", {L"[Alert]", L"Threshold=" + std::wstring(33, L'7'), L"[LargestFiles]", L"Count=21"}, {}},
      {"in each other's section", {L"[LargestFiles]", L"Drive=C", L"[Alert]", L"Count=12"}, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Fields(ReadDiskSettings(SettingsFile::Decode(c.lines))), Fields(c.expected)) << c.row;
  SettingsFile file;
  WriteDiskSettings({L'C', std::wstring(33, L'1'), true, 20}, file);
  EXPECT_EQ(file.Encode(), "\xEF\xBB\xBF[Alert]\r\nDrive=C\r\nArmed=1\r\n[LargestFiles]\r\nCount=20\r\n");
}
