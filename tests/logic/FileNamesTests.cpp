#include <gtest/gtest.h>

#include "utilities/DataFiles.h"
#include "utilities/FileNames.h"
#include "utilities/NameOrder.h"

TEST(FileExtension, IsTheLastDotsPartAfterTheLastSeparator) {
  EXPECT_EQ(FileExtension(L"C:\\music\\wake.up.mp3"), L".mp3");
  EXPECT_EQ(FileExtension(L"D:WAKE.WAV"), L".WAV");
  EXPECT_EQ(FileExtension(L"C:\\my.music\\wake"), L"");
  EXPECT_EQ(FileExtension(L"x.y:z"), L"");
}

TEST(PathForFileCalls, APathTooLongForThePlainFileCallsTakesItsExtendedForm) {
  const std::wstring tail(300, L'x'), longest = L"C:\\" + std::wstring(256, L'x');
  const std::pair<std::wstring, std::wstring> cases[] = {
      {longest, longest},
      {L"C:\\" + tail, L"\\\\?\\C:\\" + tail},
      {L"\\\\server\\share\\" + tail, L"\\\\?\\UNC\\server\\share\\" + tail},
      {L"\\\\?\\C:\\" + tail, L"\\\\?\\C:\\" + tail},
      {L"relative\\" + tail, L"relative\\" + tail},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(PathForFileCalls(path), expected) << path.size();
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

TEST(LeftoverTarget, NamesTheTargetOfATemporaryOrOldFileOnly) {
  const std::pair<std::wstring, std::optional<std::wstring>> cases[] = {
      {TemporaryNameBeside(L"C:\\q\\Data\\settings.ini", 4242, 7), L"C:\\q\\Data\\settings.ini"},
      {L"C:\\q\\Data\\soft.txt.old", L"C:\\q\\Data\\soft.txt"},
      {L"C:\\q\\Data\\report.tmp", std::nullopt},             // a user's own file
      {L"C:\\q\\Data\\wp.txt.12-x.tmp", std::nullopt},        // not a process and a count
      {L"C:\\q\\Data\\wp.txt.-1.tmp", std::nullopt},
      {L"C:\\q\\Data\\.old", std::nullopt},                   // nothing left of the name
      {L"C:\\q\\Data\\.12-3.tmp", std::nullopt},
      {L"C:\\q.1-2.tmp\\Data\\wp.txt", std::nullopt},
  };
  for (const auto& [path, target] : cases) EXPECT_EQ(LeftoverTarget(path), target) << testing::PrintToString(path);
}

TEST(FileNameOrder, ComparesNamesAsExplorerListsThem) {
  const std::pair<std::wstring, std::wstring> ascending[] = {
      {L"C:\\p\\IMG_2.jpg", L"C:\\p\\IMG_10.jpg"},   // numbers by value
      {L"C:\\z\\a.jpg", L"C:\\a\\B.jpg"},            // the name, not the folder; case ignored
      {L"x9.jpg", L"x09a.jpg"},                      // equal numbers: what follows decides
      {L"x.jpg", L"x1.jpg"},                         // a shorter name first
      {L"photo 5 b.jpg", L"photo 40 a.jpg"},
      {L"X1.jpg", L"x1.jpg"},                        // equal but for case: still an order
  };
  for (const auto& [less, more] : ascending) {
    EXPECT_TRUE(FileNameOrderLess(less, more)) << testing::PrintToString(less) << " < " << testing::PrintToString(more);
    EXPECT_FALSE(FileNameOrderLess(more, less)) << testing::PrintToString(more);
  }
  EXPECT_FALSE(FileNameOrderLess(L"C:\\a.jpg", L"C:\\a.jpg"));
}
