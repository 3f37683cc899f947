#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// The running executable's full path.
std::wstring ExecutablePath();
// The folder of the running executable, with its trailing separator.
std::wstring ExecutableFolder();
bool FileExists(const std::wstring& path);
// Low 32 bits of the high-resolution performance counter, or the tick count where there is none.
std::uint32_t HighResolutionSeed();
// The user locale's decimal separator.
wchar_t UserDecimalSeparator();
// The system's text for an error code, without the line end it comes with.
std::wstring SystemErrorText(DWORD code);
