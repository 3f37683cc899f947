#include "tools/renamer/RenamePattern.h"

#include <gtest/gtest.h>

#include <set>

#include "utilities/AsciiCase.h"

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

std::optional<std::wstring> ProblemOf(const std::wstring& pattern, NumberStyle style = {}, int count = 0) {
  const std::set<std::wstring> folders{L"C:\\rt\\", L"C:\\"};
  const auto folderExists = [&folders](const std::wstring& folder) { return folders.count(folder) > 0; };
  return PatternProblem(pattern, folderExists, style, count);
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
  // The run's own numbers: where it starts, how wide and how many.
  const std::tuple<const char*, std::wstring, NumberStyle, int, std::optional<std::wstring>> runs[] = {
      {"any number after the dot", L"C:\\rt\\NUL.*", {10, false}, 3, Device(L"NUL.10")},
      {"no single digit", L"C:\\rt\\COM*.txt", {10, false}, 3, std::nullopt},
      {"all padded", L"C:\\rt\\COM*.txt", {1, true}, 12, std::nullopt},
      {"short run checked as nine", L"C:\\rt\\COM*.txt", {5, true}, 3, Device(L"COM5.txt")},
      {"nine from zero", L"C:\\rt\\LPT*.x", {0, false}, 1, Device(L"LPT1.x")},
      {"nine from zero padded", L"C:\\rt\\LPT*.x", {0, true}, 10, Device(L"LPT1.x")},
  };
  for (const auto& [name, pattern, style, count, problem] : runs)
    EXPECT_EQ(ProblemOf(pattern, style, count), problem) << name;
}

TEST(RunNumber, WritesTheNumbersOfTheRunInItsStyle) {
  const std::tuple<const char*, int, NumberStyle, std::wstring, std::wstring> cases[] = {
      {"defaults", 11, {}, L"1", L"11"},
      {"start 0", 3, {0, false}, L"0", L"2"},
      {"start 999999", 2, {999999, false}, L"999999", L"1000000"},
      {"12 files", 12, {1, true}, L"01", L"12"},
      {"120 files", 120, {1, true}, L"001", L"120"},
      {"1 file", 1, {1, true}, L"1", L"1"},
      {"1000 files", 1000, {1, true}, L"0001", L"1000"},
      {"start 95, 10 files", 10, {95, true}, L"095", L"104"},
  };
  for (const auto& [name, count, style, first, last] : cases) {
    EXPECT_EQ(RunNumber(0, count, style), first) << name;
    EXPECT_EQ(RunNumber(count - 1, count, style), last) << name;
  }
}

TEST(ParseStartNumber, TakesSixDigitsAtMost) {
  const std::pair<std::wstring, std::optional<int>> cases[] = {
      {L"1", 1}, {L"0", 0}, {L"007", 7}, {L"999999", 999999}, {L"", std::nullopt}, {L"1000000", std::nullopt},
      {L"-1", std::nullopt}, {L"1 ", std::nullopt}, {L"\u0661", std::nullopt},  // an Arabic-Indic one
  };
  for (const auto& [text, start] : cases) EXPECT_EQ(ParseStartNumber(text), start) << testing::PrintToString(text);
}

TEST(NumberedPath, PutsTheNumberInPlaceOfTheAsterisk) {
  const std::tuple<std::wstring, std::wstring, std::wstring> cases[] = {
      {L"C:\\a\\x*.jpg", L"1", L"C:\\a\\x1.jpg"},
      {L"C:\\a\\x*.jpg", L"010", L"C:\\a\\x010.jpg"},
      {L"C:\\a\\x.*", L"123", L"C:\\a\\x.123"},
  };
  for (const auto& [pattern, number, path] : cases) EXPECT_EQ(NumberedPath(pattern, number), path);
}

TEST(PreviewRun, PlaysTheRunThroughInListOrder) {
  const std::wstring a = L"C:\\p\\a.jpg", b = L"C:\\p\\b.jpg", x2 = L"C:\\p\\X2.JPG";
  const std::set<std::wstring> disk{L"c:\\p\\a.jpg", L"c:\\p\\b.jpg", L"c:\\p\\x2.jpg"};
  const auto exists = [&disk](const std::wstring& path) { return disk.count(AsciiLowerCase(path)) > 0; };
  struct Case {
    const char* name;
    std::vector<std::wstring> entries;
    bool keepCopy;
    std::vector<std::wstring> texts;
  };
  const Case cases[] = {
      {"taken by another file", {a, b}, false, {L"x1.jpg", L"x2.jpg (exists)"}},
      {"taken by a later entry's source", {a, b, x2}, false, {L"x1.jpg", L"x2.jpg (exists)", L"x3.jpg"}},
      {"freed by an earlier move", {x2, a}, false, {L"x1.jpg", L"x2.jpg"}},
      {"copy mode keeps sources taken", {x2, a}, true, {L"x1.jpg", L"x2.jpg (exists)"}},
      {"listed twice", {a, L"C:\\P\\A.jpg"}, false, {L"x1.jpg", L"x2.jpg (listed twice)"}},
      {"onto itself, moved", {a, x2}, false, {L"x1.jpg", L"x2.jpg"}},
      {"onto itself, copied", {a, x2}, true, {L"x1.jpg", L"x2.jpg (exists)"}},
  };
  for (const auto& [name, entries, keepCopy, texts] : cases) {
    std::vector<std::wstring> previews;
    for (const PreviewRow& row : PreviewRun(entries, L"C:\\p\\x*.jpg", {}, keepCopy, exists))
      previews.push_back(PreviewText(row));
    EXPECT_EQ(previews, texts) << name;
  }
}

TEST(PartlyRenamedText, CountsTheRenamedFilesOfAll) {
  EXPECT_EQ(PartlyRenamedText(1, 2), L"1 of 2 files renamed. The files left in the list were not renamed.");
  EXPECT_EQ(PartlyRenamedText(0, 12), L"0 of 12 files renamed. The files left in the list were not renamed.");
}
