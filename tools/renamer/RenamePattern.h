#pragma once
#include <functional>
#include <optional>
#include <string>

// The renamer's target pattern: a full path with one "*" that each file's running number replaces,
// as in C:\photos\holiday*.jpg.

// The message of the first check the pattern fails, in the order the user is told about them:
// extension, an extension of more than dots and spaces, folder given, folder exists, one asterisk at
// most, an asterisk at all, no numbered name that Windows keeps for a device (CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9 in any case and with any extension, where a copy would vanish); nothing when it
// passes. `folderExists` is asked about the folder part, trailing separator included.
std::optional<std::wstring> PatternProblem(const std::wstring& pattern,
                                           const std::function<bool(const std::wstring&)>& folderExists);

// The pattern with its "*" replaced by the number in decimal: x*.jpg, 10 -> x10.jpg.
std::wstring NumberedPath(const std::wstring& pattern, int number);

// The balloon text after a run in which some files could not be renamed.
std::wstring PartlyRenamedText(int renamed, int total);
