#include <gtest/gtest.h>

#include "utilities/DataFiles.h"
#include "utilities/FileNames.h"

TEST(FileExtension, IsTheLastDotsPartAfterTheLastSeparator) {
  EXPECT_EQ(FileExtension(L"C:\\music\\wake.up.mp3"), L".mp3");
  EXPECT_EQ(FileExtension(L"D:WAKE.WAV"), L".WAV");
  EXPECT_EQ(FileExtension(L"C:\\my.music\\wake"), L"");
  EXPECT_EQ(FileExtension(L"x.y:z"), L"");
}

TEST(DataFile, JoinsTheProgramFolderWithOneSeparator) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"C:\\dist\\", L"C:\\dist\\Data\\wp.txt"},
      {L"C:\\dist", L"C:\\dist\\Data\\wp.txt"},
      {L"Z:/tmp/dist/", L"Z:/tmp/dist/Data\\wp.txt"},
      {L"C:\\", L"C:\\Data\\wp.txt"},
  };
  for (const auto& [folder, path] : cases)
    EXPECT_EQ(DataFile(folder, L"wp.txt"), path) << testing::PrintToString(folder);
}
