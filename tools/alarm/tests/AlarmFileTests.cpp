#include <gtest/gtest.h>

#include "tools/alarm/AlarmFile.h"

TEST(AlarmFileProblem, RefusesInTheOrderOfTheChecks) {
  const struct {
    const wchar_t* path;
    bool exists;
    const wchar_t* problem;
  } cases[] = {
      {L"", false, L"Please select an audio file!"},
      {L"C:\\gone.wav", false, L"The Selected audio file does not exist!"},
      {L"C:\\gone.txt", false, L"The Selected audio file does not exist!"},
      {L"C:\\wake.WAV", true, L"Invalid file format! Wav and MP3 are supported."},
      {L"C:\\wake.Mp3", true, L"Invalid file format! Wav and MP3 are supported."},
      {L"C:\\wav", true, L"Invalid file format! Wav and MP3 are supported."},
      {L"C:\\wake.wav", true, L""},
      {L"C:\\a.b\\wake.mp3", true, L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AlarmFileProblem(c.path, c.exists), c.problem) << testing::PrintToString(c.path);
}
