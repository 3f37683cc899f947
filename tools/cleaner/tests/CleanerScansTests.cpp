#include <gtest/gtest.h>

#include "tools/cleaner/CleanerScans.h"

TEST(CleanerScans, AFailedCookieQueryAddsNoScanRatherThanTheDriveRoot) {
  ASSERT_EQ(CleanerScans(L"ann", L"").size(), 2u);
  EXPECT_EQ(CleanerScans(L"ann", L"").back().folder,
            L"C:\\Documents and Settings\\ann\\Local Settings\\Temporary Internet Files");
}

TEST(CleanerScans, AListedPathIsCleanableOnlyWhereItsScanCouldHaveFoundIt) {
  using Paths = std::vector<std::wstring>;
  const std::vector<ScanRequest> scans = {{L"C:\\T", true, {L".tmp"}}, {L"C:\\C\\", false, {L"*.*"}}};
  const struct { const wchar_t* path; std::optional<Paths> folders; } cases[] = {
      {L"C:\\T\\a.tmp", Paths{}},
      {L"C:\\T\\s\\u\\a.tmp", Paths{L"C:\\T\\s", L"C:\\T\\s\\u"}},
      {L"C:\\C\\a", Paths{}},
      {L"C:\\C\\s\\a", std::nullopt},          {L"C:\\T\\..\\a.tmp", std::nullopt},
      {L"C:\\T\\s\\.\\a.tmp", std::nullopt},   {L"C:\\T\\\\a.tmp", std::nullopt},
      {L"C:\\Tx\\a.tmp", std::nullopt},        {L"C:\\T\\", std::nullopt},
      {L"D:\\a.tmp", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FoldersBelowScan(c.path, scans), c.folders) << c.path;
}
