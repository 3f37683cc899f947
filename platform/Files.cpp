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

std::optional<FileSizeAndTime> SizeAndWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return FileSizeAndTime{(std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                         (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
}

std::string FileHead(const std::wstring& path, std::size_t limit) {
  const ScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return {};
  std::string head(limit, '\0');
  std::size_t filled = 0;
  DWORD read = 0;
  while (filled < limit &&
         ReadFile(file.Get(), &head[filled], static_cast<DWORD>(limit - filled), &read, nullptr) && read > 0)
    filled += read;
  head.resize(filled);
  return head;
}
