#include "platform/Drives.h"

#include <memory>
#include <vector>

#include "platform/Handles.h"

bool IsFixedDrive(wchar_t letter) {
  const wchar_t root[] = {letter, L':', L'\\', L'\0'};
  return GetDriveTypeW(root) == DRIVE_FIXED;
}

std::vector<wchar_t> FixedDriveLetters() {
  std::vector<wchar_t> letters;
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter)
    if (IsFixedDrive(letter)) letters.push_back(letter);
  return letters;
}

DriveSpace QueryDriveSpace(const std::wstring& root) {
  ULARGE_INTEGER freeToCaller, total;
  if (!GetDiskFreeSpaceExW(root.c_str(), &freeToCaller, &total, nullptr)) return DriveSpace{-1, -1};
  return DriveSpace{static_cast<std::int64_t>(freeToCaller.QuadPart), static_cast<std::int64_t>(total.QuadPart)};
}

std::optional<std::uint32_t> VolumeSerialNumber(const std::wstring& root) {
  DWORD serial = 0, maximumComponentLength = 0, flags = 0;
  if (!GetVolumeInformationW(root.c_str(), nullptr, 0, &serial, &maximumComponentLength, &flags, nullptr, 0))
    return std::nullopt;
  return serial;
}

void ForEachFolderEntry(const std::wstring& dir, const std::function<void(const FolderEntry&)>& visit) {
  ScopedHandle folder(CreateFileW(dir.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!folder) return;
  constexpr DWORD kBatchBytes = 64 * 1024;  // as a large-fetch listing reads
  // One buffer per thread for all its listings, never cleared: a search lists thousands of folders.
  thread_local const std::unique_ptr<std::uint64_t[]> batch(new std::uint64_t[kBatchBytes / sizeof(std::uint64_t)]);
  FILE_INFO_BY_HANDLE_CLASS request = FileIdBothDirectoryRestartInfo;
  while (GetFileInformationByHandleEx(folder.Get(), request, batch.get(), kBatchBytes)) {
    request = FileIdBothDirectoryInfo;
    const char* at = reinterpret_cast<const char*>(batch.get());
    for (;;) {
      const auto& entry = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
      visit(FolderEntry{std::wstring_view(entry.FileName, entry.FileNameLength / sizeof(wchar_t)), entry.FileAttributes,
                        entry.EndOfFile.QuadPart, static_cast<std::uint64_t>(entry.FileId.QuadPart),
                        static_cast<std::uint64_t>(entry.LastWriteTime.QuadPart)});
      if (entry.NextEntryOffset == 0) break;
      at += entry.NextEntryOffset;
    }
  }
}

std::optional<FolderIdentity> IdentifyFolder(const std::wstring& path) {
  ScopedHandle folder(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  if (!folder || !GetFileInformationByHandle(folder.Get(), &information)) return std::nullopt;
  return FolderIdentity{information.dwVolumeSerialNumber,
                        static_cast<std::uint64_t>(information.nFileIndexHigh) << 32 | information.nFileIndexLow};
}
