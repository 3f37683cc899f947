#include <gtest/gtest.h>

#include <string>

#include "utilities/InstanceName.h"

TEST(InstanceName, OneFolderWrittenInItsUsualFormsGivesOneName) {
  const std::wstring longFolder = L"C:\\" + std::wstring(300, L'X') + L"\\DIST";
  const std::pair<std::wstring, std::wstring> sameFolder[] = {
      {L"C:\\DIST\\", L"C:\\DIST"},          {L"C:\\DIST\\", L"C:/DIST/"},
      {L"C:\\DIST\\", L"\\\\?\\C:\\DIST\\"}, {L"\\\\SERVER\\SHARE\\DIST\\", L"\\\\?\\UNC\\SERVER\\SHARE\\DIST"},
      {L"C:\\ÄÖ\\ДИСТ\\", L"C:\\ÄÖ\\ДИСТ"},  {L"C:\\\U0001F600\\", L"C:\\\U0001F600"},
      {longFolder + L"\\", longFolder},
      {L"\\\\?\\C:\\DIST", L"C:\\DIST\\\\"},  // a final path as the system gives it; a doubled separator
  };
  for (const auto& [one, other] : sameFolder)
    EXPECT_EQ(InstanceNameOfFoldedFolder(one), InstanceNameOfFoldedFolder(other)) << testing::PrintToString(other);
}

TEST(InstanceName, OtherFoldersGiveOtherNames) {
  const std::pair<std::wstring, std::wstring> otherFolders[] = {
      {L"C:\\DIST\\", L"D:\\DIST\\"},
      {L"C:\\DIST\\", L"C:\\DIST\\SUB\\"},
      {L"C:\\DIST\\", L"C:\\DIS\\"},
      {L"C:\\ДИСТ\\", L"C:\\ДИСС\\"},
      {L"C:\\\u0141\\", L"C:\\A\\"},  // one code unit's high byte apart
      {L"C:\\" + std::wstring(300, L'X') + L"\\A", L"C:\\" + std::wstring(300, L'X') + L"\\B"},
  };
  for (const auto& [one, other] : otherFolders)
    EXPECT_NE(InstanceNameOfFoldedFolder(one), InstanceNameOfFoldedFolder(other)) << testing::PrintToString(other);
}

TEST(InstanceName, IsShortAndHasNoBackslash) {
  const std::wstring name = InstanceNameOfFoldedFolder(L"C:\\" + std::wstring(2000, L'Я'));
  EXPECT_EQ(name.rfind(L"Quoxel-", 0), 0u);
  EXPECT_EQ(name.size(), 23u);
  EXPECT_EQ(name.find(L'\\'), std::wstring::npos);
}
