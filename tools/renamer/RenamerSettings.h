#pragma once
#include <optional>
#include <string>

#include "utilities/SettingsFile.h"

// What the renamer keeps among the remembered settings, in [Renamer]: Pattern=<path with *>,
// KeepCopy=0, StartAt=1 and SameWidth=0.
struct RenamerSettings {
  std::optional<std::wstring> pattern;
  std::optional<bool> keepCopy;
  std::optional<int> startAt;
  std::optional<bool> sameWidth;
};

void WriteRenamerSettings(const RenamerSettings& settings, SettingsFile& file);
RenamerSettings ReadRenamerSettings(const SettingsFile& file);
