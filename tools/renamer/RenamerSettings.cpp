#include "tools/renamer/RenamerSettings.h"

#include "tools/renamer/RenamePattern.h"

namespace {
constexpr wchar_t kRenamer[] = L"Renamer";
}  // namespace

void WriteRenamerSettings(const RenamerSettings& settings, SettingsFile& file) {
  SettingsSection& renamer = file.AddSection(kRenamer);
  renamer.SetText(L"Pattern", settings.pattern, kPathTextLimit);
  renamer.SetFlag(L"KeepCopy", settings.keepCopy);
  renamer.SetNumber(L"StartAt", settings.startAt);
  renamer.SetFlag(L"SameWidth", settings.sameWidth);
}

RenamerSettings ReadRenamerSettings(const SettingsFile& file) {
  const SettingsSection& renamer = file.Section(kRenamer);
  return {renamer.Text(L"Pattern", kPathTextLimit), renamer.Flag(L"KeepCopy"),
          renamer.Number(L"StartAt", kLowestStart, kHighestStart), renamer.Flag(L"SameWidth")};
}
