#pragma once
#include <functional>
#include <string>
#include <vector>

// Process names of the administration page: which to list, how to match them against the trusted
// list, and the web address of a process's page in the process-information directory.

// The system's idle pseudo-process and kernel process are not listed: exactly these texts.
bool IsListedProcessName(const std::wstring& name);

// Equal ignoring letter case, in the sense of the user's locale (the caller supplies it).
using NameMatcher = std::function<bool(const std::wstring&, const std::wstring&)>;

bool ContainsName(const std::vector<std::wstring>& names, const std::wstring& name, const NameMatcher& matches);
// Appends the name unless a matching one is there already.
void AddName(std::vector<std::wstring>& names, const std::wstring& name, const NameMatcher& matches);
// Deletes the first matching entry only.
void RemoveName(std::vector<std::wstring>& names, const std::wstring& name, const NameMatcher& matches);

// "a.b.exe" -> "a.b": everything from the last full stop after the last backslash and colon is cut.
std::wstring WithoutExtension(const std::wstring& fileName);

// https://<directory host>/directory/files/<name without extension, percent-encoded as UTF-8>/
std::wstring ProcessInfoAddress(const std::wstring& fileName);
