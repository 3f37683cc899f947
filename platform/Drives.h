#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// True when the drive with this letter is a fixed drive.
bool IsFixedDrive(wchar_t letter);
// The letters of the fixed drives, from A to Z.
std::vector<wchar_t> FixedDriveLetters();

// Bytes free to the current user and total bytes of a drive's volume; both -1 when the query fails.
struct DriveSpace {
  std::int64_t freeToCaller;
  std::int64_t total;
};
DriveSpace QueryDriveSpace(const std::wstring& root);

// The volume serial number of a root folder such as "C:\", if the volume reports one.
std::optional<std::uint32_t> VolumeSerialNumber(const std::wstring& root);

// An entry of a folder's listing with the file system's identifier of what it names: 0 when the file
// system has none; for a link (a reparse point) the link's own on Windows, its target's under Wine.
struct FolderEntry {
  std::wstring_view name;
  DWORD attributes;
  std::int64_t size;
  std::uint64_t fileId;
  std::uint64_t lastWrite;  // a file time: 100 ns since 1601, UTC
};
// Calls back for each entry of the folder `dir` in the order the file system returns them, "." and ".."
// included, through one open folder handle; a folder that cannot be listed gives no entries.
void ForEachFolderEntry(const std::wstring& dir, const std::function<void(const FolderEntry&)>& visit);

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
