#include <gtest/gtest.h>

#include "utilities/FileNames.h"

TEST(FileExtension, IsTheLastDotsPartAfterTheLastSeparator) {
  EXPECT_EQ(FileExtension(L"C:\\music\\wake.up.mp3"), L".mp3");
  EXPECT_EQ(FileExtension(L"D:WAKE.WAV"), L".WAV");
  EXPECT_EQ(FileExtension(L"C:\\my.music\\wake"), L"");
  EXPECT_EQ(FileExtension(L"x.y:z"), L"");
}
