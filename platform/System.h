#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// A path the system writes into the caller's buffer and cuts at the buffer's size when it does not fit
// (as GetModuleFileNameW does): asked again with a larger buffer until it fits.
std::wstring PathGrownToFit(const std::function<DWORD(wchar_t* buffer, DWORD size)>& query);
// The running executable's full path, whole at any length.
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
