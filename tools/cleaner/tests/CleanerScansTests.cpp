#include <gtest/gtest.h>

#include "tools/cleaner/CleanerScans.h"

using Folders = std::optional<std::vector<std::wstring>>;

TEST(CleanerScans, TheProfileFoldersComeFromTheUserNameAndAFailedCookieQueryAddsNoScan) {
  const auto scans = CleanerScans(L"ann", L"C:\\Cookies");
  ASSERT_EQ(scans.size(), 3u);
  EXPECT_EQ(scans[0].folder, L"C:\\Documents and Settings\\ann\\Local Settings\\Temp");
  EXPECT_EQ(scans[1].folder, L"C:\\Documents and Settings\\ann\\Local Settings\\Temporary Internet Files");
  EXPECT_EQ(scans[2].folder, L"C:\\Cookies");
  EXPECT_EQ(CleanerScans(L"ann", L"").size(), 2u);
}

TEST(CleanerScans, AFileMatchesEachFilterEntryEqualToItsExtensionWithLetterCase) {
  const struct { const wchar_t* name; std::vector<std::wstring> filter; int matches; } cases[] = {
      {L"a.tmp", {L".tmp"}, 1},        {L"a.TMP", {L".tmp"}, 0},         {L"a.tmp.bak", {L".tmp"}, 0},
      {L"tmp", {L".tmp"}, 0},          {L"noext", {L"*.*"}, 1},          {L".tmp", {L".tmp"}, 1},
      {L"a.txt", {L".txt", L"*.*"}, 2}, {L"a.", {L"."}, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(FilterMatches(c.name, c.filter), c.matches) << c.name;
}

TEST(CleanerScans, AListedPathIsCleanableOnlyWhereItsScanCouldHaveFoundIt) {
  const std::vector<ScanRequest> scans = {{L"C:\\T", true, {L".tmp"}}, {L"C:\\C\\", false, {L"*.*"}}};
  const struct { const wchar_t* path; Folders folders; } cases[] = {
      {L"C:\\T\\a.tmp", std::vector<std::wstring>{}},
      {L"C:\\T\\s\\u\\a.tmp", std::vector<std::wstring>{L"C:\\T\\s", L"C:\\T\\s\\u"}},
      {L"C:\\C\\a", std::vector<std::wstring>{}},
      {L"C:\\C\\s\\a", std::nullopt},          {L"C:\\T\\..\\a.tmp", std::nullopt},
      {L"C:\\T\\s\\.\\a.tmp", std::nullopt},   {L"C:\\T\\\\a.tmp", std::nullopt},
      {L"C:\\Tx\\a.tmp", std::nullopt},        {L"C:\\T\\", std::nullopt},
      {L"D:\\a.tmp", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FoldersBelowScan(c.path, scans), c.folders) << c.path;
}
