#include "tools/renamer/RenamerSettings.h"

namespace {
constexpr wchar_t kRenamer[] = L"Renamer";
}  // namespace

void WriteRenamerSettings(const RenamerSettings& settings, SettingsFile& file) {
  SettingsSection& renamer = file.AddSection(kRenamer);
  renamer.SetText(L"Pattern", settings.pattern, kPathTextLimit);
  renamer.SetFlag(L"KeepCopy", settings.keepCopy);
}

RenamerSettings ReadRenamerSettings(const SettingsFile& file) {
  const SettingsSection& renamer = file.Section(kRenamer);
  return {renamer.Text(L"Pattern", kPathTextLimit), renamer.Flag(L"KeepCopy")};
}
