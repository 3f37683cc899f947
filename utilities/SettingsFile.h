#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The values the tray's "Remember settings" keeps between runs (Data\settings.ini). A value left
// empty is not in the file, or did not read back: its tool keeps its starting value.
struct RememberedSettings {
  std::optional<wchar_t> alertDrive;  // an upper-case letter
  std::optional<std::wstring> alertThreshold;
  std::optional<bool> alertArmed;
  std::optional<int> alarmMinute;  // of the day: hour * 60 + minute
  std::optional<std::wstring> alarmSound;
  std::optional<bool> alarmArmed;
  std::optional<int> shutdownMinute;
  std::optional<bool> shutdownReboot;
  std::optional<int> largestFilesCount;  // 5 to 20
  std::optional<std::wstring> renamePattern;
  std::optional<bool> keepCopy;
};

// Longest texts kept: a threshold is a few digits; a path or pattern at most what the system takes.
constexpr std::size_t kThresholdTextLimit = 32;
constexpr std::size_t kPathTextLimit = 32767;

// The file: UTF-8 after its byte-order mark, CR LF line ends, one INI section per tool:
//   [Alert] Drive=C, Threshold=7.5, Armed=1; [Alarm] Time=07:30, Sound=<path>, Armed=0;
//   [Shutdown] Time=23:00, Action=Shutdown|Reboot; [LargestFiles] Count=12;
//   [Renamer] Pattern=<path with *>, KeepCopy=0.
// A text holding a line end, or longer than its limit, is left out.
std::string EncodeSettings(const RememberedSettings& settings);

// Reads the lines of what EncodeSettings wrote, decoded as the list files are (so that the file saved
// again by an editor, in UTF-16 or in UTF-8 without its mark, still reads). Names of sections and keys
// are read in any letter case, spaces around them ignored, a value taken as it stands; the last of a
// repeated key counts. A value that is missing, of the wrong form, out of range or too long stays
// empty.
RememberedSettings DecodeSettings(const std::vector<std::wstring>& lines);
