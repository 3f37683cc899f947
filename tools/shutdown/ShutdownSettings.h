#pragma once
#include <optional>

#include "utilities/SettingsFile.h"

// What the timed shutdown keeps among the remembered settings, in [Shutdown]: Time=23:00 and
// Action=Shutdown or Reboot. Never whether it is armed.
struct ShutdownSettings {
  std::optional<int> minuteOfDay;
  std::optional<bool> reboot;
};

void WriteShutdownSettings(const ShutdownSettings& settings, SettingsFile& file);
ShutdownSettings ReadShutdownSettings(const SettingsFile& file);
