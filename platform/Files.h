#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
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

// A file's size and last write time (FILETIME's count of 100 ns); nothing when no file answers to the
// path (a folder does not).
struct FileSizeAndTime {
  std::uint64_t size = 0, writeTime = 0;
};
std::optional<FileSizeAndTime> SizeAndWriteTime(const std::wstring& path);
// The file's first bytes, at most `limit` of them; empty when it cannot be read.
std::string FileHead(const std::wstring& path, std::size_t limit);
