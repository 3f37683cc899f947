#pragma once
#include <functional>
#include <optional>
#include <string>

// The user's values of HKCU\Software\Microsoft\Windows\CurrentVersion\Run: the commands the system
// runs at sign-in, by name.

// The value's text; nullopt when it is missing or not a string.
std::optional<std::wstring> ReadRunValue(const std::wstring& name);
// Writes the command under the name, or removes the value for nullopt; true when the registry took it
// (a value already missing counts as removed).
bool ChangeRunValue(const std::wstring& name, const std::optional<std::wstring>& command);

// Tests keep the values instead of the user's registry. An empty reader or changer brings the
// registry back.
using RunValueReader = std::function<std::optional<std::wstring>(const std::wstring& name)>;
using RunValueChanger = std::function<bool(const std::wstring& name, const std::optional<std::wstring>& command)>;
void SetRunValueSeam(RunValueReader reader, RunValueChanger changer);
