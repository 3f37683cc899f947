#include "tools/renamer/RenamerSettings.h"

#include <gtest/gtest.h>

TEST(RenamerSettings, ReadBackFromTheRenamersSection) {
  const RenamerSettings read = ReadRenamerSettings(SettingsFile::Decode(
      {L"[Renamer]", L"Pattern=" + std::wstring(kPathTextLimit + 1, L'a'), L"KeepCopy=2", L"[Other]", L"KeepCopy=1"}));
  EXPECT_EQ(read.pattern, std::nullopt);
  EXPECT_EQ(read.keepCopy, std::nullopt);
  SettingsFile file;
  WriteRenamerSettings({L"C:\\Kuvat\\loma*.jpg", true}, file);
  EXPECT_EQ(ReadRenamerSettings(file).pattern, L"C:\\Kuvat\\loma*.jpg");
  EXPECT_EQ(ReadRenamerSettings(file).keepCopy, true);
}
