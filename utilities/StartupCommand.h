#pragma once
#include <cstddef>
#include <string>

// The command that the Run key holds to start the program hidden in the tray at sign-in.

// The longest command Windows runs from the Run key.
constexpr std::size_t kRunCommandLimit = 260;

// `"<program>" /tray`: the quotes keep a path with spaces whole.
std::wstring StartupCommandLine(const std::wstring& programPath);
// True when `stored` starts the program at `programPath` with the argument /tray: the path compared
// without regard to letter case, quoted or not.
bool StartsProgramInTray(const std::wstring& stored, const std::wstring& programPath);
// True for the argument that starts the program hidden in the tray, in any letter case.
bool IsTrayArgument(const std::wstring& argument);
