#include "tools/disk/DiskSettings.h"

#include "utilities/LargestFiles.h"

namespace {
constexpr wchar_t kAlert[] = L"Alert", kLargestFiles[] = L"LargestFiles";
}  // namespace

void WriteDiskSettings(const DiskSettings& settings, SettingsFile& file) {
  SettingsSection& alert = file.AddSection(kAlert);
  alert.SetDriveLetter(L"Drive", settings.alertDrive);
  alert.SetText(L"Threshold", settings.alertThreshold, kThresholdTextLimit);
  alert.SetFlag(L"Armed", settings.alertArmed);
  file.AddSection(kLargestFiles).SetNumber(L"Count", settings.largestFilesCount);
}

DiskSettings ReadDiskSettings(const SettingsFile& file) {
  const SettingsSection& alert = file.Section(kAlert);
  DiskSettings settings;
  settings.alertDrive = alert.DriveLetter(L"Drive");
  settings.alertThreshold = alert.Text(L"Threshold", kThresholdTextLimit);
  settings.alertArmed = alert.Flag(L"Armed");
  settings.largestFilesCount = file.Section(kLargestFiles).Number(L"Count", kFewestLargestFiles, kLargestFilesCapacity);
  return settings;
}
