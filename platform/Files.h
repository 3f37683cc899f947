#pragma once
#include <string>

// Files and folders by path, none of them ever replacing an existing file.

// True only when the system says the file or its path is not there; any other failure to look
// (access denied, a locked or offline volume) counts as present, so that nothing is written over it.
bool IsPathAbsent(const std::wstring& path);
bool FolderExists(const std::wstring& path);
// True when a file on a disk answers to the path: not a folder, and not a device that Windows gives
// the name to (NUL.txt, COM1.jpg), which would swallow what is copied there.
bool IsDiskFile(const std::wstring& path);
// MoveFileW and CopyFileW (fail-if-exists): false when the target exists or the system refused.
bool MoveFileWithoutReplacing(const std::wstring& source, const std::wstring& target);
bool CopyFileWithoutReplacing(const std::wstring& source, const std::wstring& target);
// Deletes the file; true when no file is there afterwards, also when there was none.
bool DeleteFileIfThere(const std::wstring& path);
