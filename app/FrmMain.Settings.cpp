// The tray's "Remember settings": the tools' values kept in Data\settings.ini while that file is there.
#include <cstdint>
#include <exception>

#include "app/FrmMain.h"
#include "platform/Boxes.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "platform/TextFiles.h"
#include "utilities/DataFiles.h"

namespace {

// A file of a few lines: anything much larger is not the program's own.
constexpr std::uint64_t kSettingsFileLimit = 1 << 20;

// The file's values; a file that cannot be read gives none, and every tool keeps its starting values.
RememberedSettings ReadSettingsFile(const std::wstring& path) {
  try {
    const std::string bytes = ReadWholeFile(path);
    return bytes.size() <= kSettingsFileLimit ? DecodeSettings(bytes) : RememberedSettings{};
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace

std::wstring TFrmMain::SettingsPath() const { return DataFile(appDir_, L"settings.ini"); }

bool TFrmMain::RemembersSettings() const { return FileExists(SettingsPath()); }

void TFrmMain::RestoreSettings() {
  if (!RemembersSettings()) return;
  const RememberedSettings settings = ReadSettingsFile(SettingsPath());
  restoringSettings_ = true;
  for (int page = kPageHome + 1; page < kPageCount; ++page) {
    Tool& tool = *tools_[ToolOfPage(page)];
    if (!tool.KeepsSettings()) continue;
    MakePage(page);
    RunHandler([&] { tool.RestoreSettings(settings); });
  }
  restoringSettings_ = false;
}

bool TFrmMain::SaveSettings() {
  RememberedSettings settings;
  for (int page = kPageHome + 1; page < kPageCount; ++page)
    if (pages_[page]) tools_[ToolOfPage(page)]->StoreSettings(settings);
  try {
    WriteFilesTogether({{SettingsPath(), EncodeSettings(settings)}});
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// A failed save leaves the file as it was; it is tried again at the next change. A box for each
// change (each key typed in a pattern) would make the program unusable while the Data folder is
// read-only, and the tick already said so.
void TFrmMain::SettingsChanged() {
  if (!restoringSettings_ && RemembersSettings()) SaveSettings();
}

void TFrmMain::RememberSettings1Click() {
  if (RemembersSettings()) {
    if (!DeleteFileIfThere(SettingsPath()))
      ShowErrorBox(handle_, L"Quoxel could not delete its settings file " + SettingsPath() + L".");
  } else if (!SaveSettings()) {
    ShowErrorBox(handle_, L"Quoxel could not save its settings in " + SettingsPath() + L".");
  }
}
