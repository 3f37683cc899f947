#pragma once
#include <string>

// What a path is and what its attributes and sharing allow, for code that deletes files.

// A file that is neither a folder nor a link (reparse point).
bool IsPlainFile(const std::wstring& path);
// A folder that is not a link (junction, symbolic link or other reparse point).
bool IsPlainFolder(const std::wstring& path);
// Whether the file opens for reading and writing while sharing nothing with anyone else.
bool OpensExclusively(const std::wstring& path);
// Clears the read-only attribute, keeping the others; leaves a file whose attributes cannot be read.
void ClearReadOnly(const std::wstring& path);
bool DeleteFileAt(const std::wstring& path);
