#pragma once
#include <string>

// Parts of a full path. Extensions are compared exactly, letter case included, wherever the program
// tests one, but for the wallpaper's ".jpg" and ".jpeg", which cameras write in capitals.

// Everything up to and including the last "\" or ":"; empty when there is neither.
std::wstring FolderPart(const std::wstring& path);
// From the last "." after the folder part, dot included; empty when the name has no dot.
std::wstring FileExtension(const std::wstring& path);
// The path with its extension replaced by `extension` (or `extension` appended when it has none).
std::wstring ChangeFileExtension(const std::wstring& path, const std::wstring& extension);
