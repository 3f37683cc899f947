#pragma once
#include <functional>
#include <optional>
#include <string>

// The renamer's target pattern: a full path with one "*" that each file's running number replaces,
// as in C:\photos\holiday*.jpg.

// The message of the first check the pattern fails, in the order the user is told about them:
// extension, folder given, folder exists, one asterisk at most, an asterisk at all; nothing when it
// passes. `folderExists` is asked about the folder part, trailing separator included.
std::optional<std::wstring> PatternProblem(const std::wstring& pattern,
                                           const std::function<bool(const std::wstring&)>& folderExists);

// The pattern with its "*" replaced by the number in decimal: x*.jpg, 10 -> x10.jpg.
std::wstring NumberedPath(const std::wstring& pattern, int number);

// The balloon text after a run in which some files could not be renamed.
std::wstring PartlyRenamedText(int renamed, int total);
