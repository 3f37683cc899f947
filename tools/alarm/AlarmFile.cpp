#include "tools/alarm/AlarmFile.h"

#include "utilities/AsciiCase.h"
#include "utilities/FileNames.h"

std::wstring AlarmFileProblem(const std::wstring& path, bool fileExists) {
  if (path.empty()) return L"Please select an audio file!";
  if (!fileExists) return L"The Selected audio file does not exist!";
  const std::wstring extension = AsciiLowerCase(FileExtension(path));
  if (extension != L".wav" && extension != L".mp3") return L"Invalid file format! Wav and MP3 are supported.";
  return L"";
}
