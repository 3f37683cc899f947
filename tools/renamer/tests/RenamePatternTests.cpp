#include "tools/renamer/RenamePattern.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const std::wstring kExtension = L"Please enter an extension for the file(s) (for example \".jpg\")";
const std::wstring kDotsOnly =
    L"Windows drops an extension made only of dots and spaces: please enter another one (for example \".jpg\")";
const std::wstring kNoFolder = L"You did not give a folder in the filename!";
const std::wstring kOneAsterisk = L"Use only one asterisk (*)!";
const std::wstring kNoAsterisk = L"Use asterisk (*) to indicate index-number!";

std::wstring Device(const std::wstring& name) {
  return L"\"" + name + L"\" is the name of a device in Windows, not of a file: please choose another name!";
}

std::optional<std::wstring> ProblemOf(const std::wstring& pattern) {
  const std::set<std::wstring> folders{L"C:\\rt\\", L"C:\\"};
  return PatternProblem(pattern, [&folders](const std::wstring& folder) { return folders.count(folder) > 0; });
}

}  // namespace

TEST(PatternProblem, TellsTheFirstCheckThePatternFails) {
  const std::pair<std::wstring, std::optional<std::wstring>> cases[] = {
      {L"C:\\rt\\x*.jpg", std::nullopt},
      {L"C:\\rt\\holiday*", kExtension},
      {L"C:\\rt.old\\holiday*", kExtension},  // a dot in the folder is no extension
      {L"C:\\rt\\x*.", kDotsOnly},
      {L"C:\\rt\\x*. ", kDotsOnly},
      {L"C:\\rt\\x*.jpg..", kDotsOnly},
      {L"x*. ", kDotsOnly},  // before the folder
      {L"holiday*.jpg", kNoFolder},
      {L"C:\\nothere\\NUL.*", L"The Directory \"C:\\nothere\\\" does not exist!"},
      {L"C:\\rt\\a*b*.jpg", kOneAsterisk},
      {L"C:\\rt\\NUL.jpg", kNoAsterisk},
      {L"C:\\rt\\NUL.*", Device(L"NUL.1")},
      {L"C:\\rt\\com*.txt", Device(L"com1.txt")},
      {L"C:\\rt\\LPT*.doc", Device(L"LPT1.doc")},
      {L"C:\\rt\\Con.*.txt", Device(L"Con.1.txt")},
      {L"C:\\rt\\aux .*", Device(L"aux .1")},
      {L"C:\\rt\\prn.tar.*", Device(L"prn.tar.1")},
      {L"C:\\rt\\COM\u00B9.*", Device(L"COM\u00B9.1")},
      {L"C:\\rt/nul.*", Device(L"nul.1")},   // Windows takes "/" for a separator too
      {L"C:\\rt\\COM1*.txt", std::nullopt},  // COM11, COM12: no devices
      {L"C:\\rt\\NUL*.txt", std::nullopt},
      {L"C:\\rt\\xNUL.*", std::nullopt},
      {L"C:\\rt\\COM0.*", std::nullopt},
      {L"C:\\rt\\CONSOLE*.txt", std::nullopt},
  };
  for (const auto& [pattern, problem] : cases)
    EXPECT_EQ(ProblemOf(pattern), problem) << testing::PrintToString(pattern);
}

TEST(NumberedPath, PutsTheNumberInPlaceOfTheAsteriskWithoutPadding) {
  const std::tuple<std::wstring, int, std::wstring> cases[] = {
      {L"C:\\a\\x*.jpg", 1, L"C:\\a\\x1.jpg"},
      {L"C:\\a\\x*.jpg", 10, L"C:\\a\\x10.jpg"},
      {L"C:\\a\\x.*", 123, L"C:\\a\\x.123"},
  };
  for (const auto& [pattern, number, path] : cases) EXPECT_EQ(NumberedPath(pattern, number), path);
}

TEST(PartlyRenamedText, CountsTheRenamedFilesOfAll) {
  EXPECT_EQ(PartlyRenamedText(1, 2), L"1 of 2 files renamed. The files left in the list were not renamed.");
  EXPECT_EQ(PartlyRenamedText(0, 12), L"0 of 12 files renamed. The files left in the list were not renamed.");
}
