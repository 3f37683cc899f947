#include "platform/Files.h"

#include <windows.h>

#include "platform/Handles.h"

bool IsPathAbsent(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Opened without any access, only to ask its kind: a folder does not open without backup semantics,
// and a device is of a character or pipe kind.
bool IsDiskFile(const std::wstring& path) {
  const ScopedHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  return file && GetFileType(file.Get()) == FILE_TYPE_DISK;
}

bool MoveFileWithoutReplacing(const std::wstring& source, const std::wstring& target) {
  return MoveFileW(source.c_str(), target.c_str()) != FALSE;
}

bool CopyFileWithoutReplacing(const std::wstring& source, const std::wstring& target) {
  return CopyFileW(source.c_str(), target.c_str(), TRUE) != FALSE;
}

bool DeleteFileIfThere(const std::wstring& path) {
  return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}
