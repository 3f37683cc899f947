#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// True when the drive with this letter is a fixed drive.
bool IsFixedDrive(wchar_t letter);

// Bytes free to the current user and total bytes of a drive's volume; both -1 when the query fails.
struct DriveSpace {
  std::int64_t freeToCaller;
  std::int64_t total;
};
DriveSpace QueryDriveSpace(const std::wstring& root);

// The volume serial number of a root folder such as "C:\", if the volume reports one.
std::optional<std::uint32_t> VolumeSerialNumber(const std::wstring& root);

// Calls back for each entry of a folder listing (a path with a name pattern) in the order the file
// system returns them; a folder that cannot be listed gives no entries.
void ForEachDirectoryEntry(const std::wstring& pattern, const std::function<void(const WIN32_FIND_DATAW&)>& visit);

// What tells one folder from another whatever path leads to it (links, junctions, mounts): its
// volume's serial number and its file index.
struct FolderIdentity {
  DWORD volume;
  std::uint64_t index;
  bool operator<(const FolderIdentity& other) const {
    return volume != other.volume ? volume < other.volume : index < other.index;
  }
};
// Nothing when the folder cannot be opened.
std::optional<FolderIdentity> IdentifyFolder(const std::wstring& path);
