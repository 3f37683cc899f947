#include "tools/shutdown/ShutdownSettings.h"

namespace {
constexpr wchar_t kShutdownSection[] = L"Shutdown", kShutdownWord[] = L"Shutdown", kRebootWord[] = L"Reboot";
}  // namespace

void WriteShutdownSettings(const ShutdownSettings& settings, SettingsFile& file) {
  SettingsSection& shutdown = file.AddSection(kShutdownSection);
  shutdown.SetTime(L"Time", settings.minuteOfDay);
  if (settings.reboot) shutdown.SetText(L"Action", std::wstring(*settings.reboot ? kRebootWord : kShutdownWord), 8);
}

ShutdownSettings ReadShutdownSettings(const SettingsFile& file) {
  const SettingsSection& shutdown = file.Section(kShutdownSection);
  const auto action = shutdown.Choice(L"Action", {kShutdownWord, kRebootWord});
  return {shutdown.Time(L"Time"), action ? std::optional<bool>(*action == 1) : std::nullopt};
}
