#pragma once
#include <cstdint>

// What tells one file from another whatever path leads to it: its volume's serial number and the
// file system's index of the file on that volume.
struct FileIdentity {
  std::uint32_t volume;
  std::uint64_t index;
  bool operator==(const FileIdentity& other) const { return volume == other.volume && index == other.index; }
  bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};
