#include <gtest/gtest.h>

#include "utilities/FileExtension.h"

TEST(FileExtension, IsTheLastDotsPartAfterTheLastSeparator) {
  const struct {
    const wchar_t* path;
    const wchar_t* extension;
  } cases[] = {
      {L"C:\\music\\wake.up.mp3", L".mp3"}, {L"C:\\music\\WAKE.WAV", L".WAV"}, {L"C:\\my.music\\wake", L""},
      {L"D:name.wav", L".wav"},             {L"C:.d\\", L""},                 {L"x:y", L""},
      {L"C:\\music\\wake.", L"."},
  };
  for (const auto& c : cases) EXPECT_EQ(FileExtension(c.path), c.extension) << testing::PrintToString(c.path);
}
