#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "utilities/SettingsFile.h"

// The longest threshold kept: a few digits.
constexpr std::size_t kThresholdTextLimit = 32;

// What the drive page keeps among the remembered settings: the low-space alert in [Alert]
// (Drive=C, Threshold=7.5, Armed=1) and the number of largest files in [LargestFiles] (Count=12).
struct DiskSettings {
  std::optional<wchar_t> alertDrive;  // an upper-case letter
  std::optional<std::wstring> alertThreshold;
  std::optional<bool> alertArmed;
  std::optional<int> largestFilesCount;
};

void WriteDiskSettings(const DiskSettings& settings, SettingsFile& file);
DiskSettings ReadDiskSettings(const SettingsFile& file);
