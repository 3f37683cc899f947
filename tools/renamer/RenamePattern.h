#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The renamer's target pattern: a full path with one "*" that each file's running number replaces,
// as in C:\photos\holiday*.jpg.

// How the running numbers are written: from `start` up, each padded with zeros to the width of the
// run's largest number when `sameWidth` (12 files from 1: 01 ... 12). The defaults give 1, 2, ... 10.
struct NumberStyle {
  int start = 1;
  bool sameWidth = false;
};
// The range "Start at" takes.
constexpr int kLowestStart = 0, kHighestStart = 999999, kStartDigits = 6;
// The first number as typed: digits only, within that range; nothing otherwise (empty, pasted text).
std::optional<int> ParseStartNumber(const std::wstring& text);
constexpr wchar_t kStartProblem[] = L"Please enter the first number in \"Start at\": a whole number from 0 to 999999.";

// The message of the first check the pattern fails, in the order the user is told about them:
// extension, an extension of more than dots and spaces, folder given, folder exists, one asterisk at
// most, an asterisk at all, no numbered name of the run that Windows keeps for a device (CON, PRN,
// AUX, NUL, COM1-COM9, LPT1-LPT9 in any case and with any extension, where a copy would vanish);
// nothing when it passes. `folderExists` is asked about the folder part, trailing separator included.
// The run is `count` files numbered in `style`; a run of fewer than 9 files is checked as one of 9,
// so that a pattern that passes keeps passing while files are added.
std::optional<std::wstring> PatternProblem(const std::wstring& pattern,
                                           const std::function<bool(const std::wstring&)>& folderExists,
                                           NumberStyle style = {}, int count = 0);

// The number of the file at `index` (from 0) of a run of `count` files, written in `style`.
std::wstring RunNumber(int index, int count, NumberStyle style);
// The pattern with its "*" replaced by the number's text: x*.jpg, "10" -> x10.jpg.
std::wstring NumberedPath(const std::wstring& pattern, const std::wstring& number);

// What a run would make of one entry of the list.
enum class PreviewMark {
  None,         // it gets its new name
  Exists,       // the name is taken when its turn comes: the file stays as it is
  ListedTwice,  // an earlier entry moves the same file away first: nothing is left to rename
};
struct PreviewRow {
  std::wstring newName;  // the name only, without the folder
  PreviewMark mark = PreviewMark::None;
};
// The run played through without touching a file, entry by entry in list order, as the run does it:
// a new path is taken when `exists` says a file or folder is there and no earlier entry has moved it
// away, or when an earlier entry takes it; a file renamed onto its own name keeps it (moved) and is
// taken (copied). Paths are compared without regard to the case of the English letters. The pattern
// has passed PatternProblem.
std::vector<PreviewRow> PreviewRun(const std::vector<std::wstring>& entries, const std::wstring& pattern,
                                   NumberStyle style, bool keepCopy,
                                   const std::function<bool(const std::wstring&)>& exists);
// The row's preview as drawn and as screen readers hear it: "holiday-3.jpg (exists)".
std::wstring PreviewText(const PreviewRow& row);

// The balloon text after a run in which some files could not be renamed.
std::wstring PartlyRenamedText(int renamed, int total);
