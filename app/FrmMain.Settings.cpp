// The tray's "Remember settings": the tools' values kept in Data\settings.ini while that file is there.
#include <cstdint>
#include <exception>

#include "app/FrmMain.h"
#include "platform/Boxes.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "platform/TextFiles.h"
#include "utilities/DataFiles.h"
#include "utilities/ErrorText.h"

namespace {

// A file of a few lines: anything much larger is not the program's own.
constexpr std::uint64_t kSettingsFileLimit = 1 << 20;

struct SettingsRead {
  SettingsFile values;
  std::wstring problem;  // why nothing was read; empty when the file was read
};

// The file's values, or why it could not be read: then every tool keeps its starting values.
SettingsRead ReadSettingsFile(const std::wstring& path) {
  try {
    bool exact = false;
    const std::vector<std::wstring> lines = DecodeListFileLines(ReadWholeFile(path, kSettingsFileLimit), &exact);
    if (!exact) return {{}, L"It holds bytes that are not text in its encoding."};
    return {SettingsFile::Decode(lines), {}};
  } catch (const AppError& error) {
    return {{}, error.Message()};
  }
}

}  // namespace

std::wstring TFrmMain::SettingsPath() const { return DataFile(appDir_, L"settings.ini"); }

bool TFrmMain::RemembersSettings() const { return FileExists(SettingsPath()); }

// A file that cannot be read is left as it is for the whole run: the user may have it open, or have
// saved it in a form the program does not read, and its values must not give way to the defaults.
void TFrmMain::RestoreSettings() {
  if (!RemembersSettings()) return;
  const SettingsRead settings = ReadSettingsFile(SettingsPath());
  if (!settings.problem.empty()) {
    settingsUnreadable_ = true;
    ShowTrayBalloon(L"Quoxel keeps its starting settings and leaves Data\\settings.ini unchanged until it starts "
                    L"again. " + settings.problem,
                    L"Settings not taken back");
    return;
  }
  restoringSettings_ = true;
  for (int page = kPageHome + 1; page < kPageCount; ++page) {
    Tool& tool = *tools_[ToolOfPage(page)];
    if (!tool.KeepsSettings()) continue;
    MakePage(page);
    RunHandler([&] { tool.RestoreSettings(settings.values); });
  }
  restoringSettings_ = false;
}

void TFrmMain::SaveSettings() {
  SettingsFile settings;  // the sections in the order of the tabs
  for (int page = kPageHome + 1; page < kPageCount; ++page)
    if (pages_[page]) tools_[ToolOfPage(page)]->StoreSettings(settings);
  WriteFilesTogether({{SettingsPath(), settings.Encode()}});
}

// A failed save leaves the file as it was; it is tried again at the next change. A box for each
// change (each key typed in a pattern) would make the program unusable while the Data folder is
// read-only, and the tick already said so.
void TFrmMain::SettingsChanged() {
  if (restoringSettings_ || settingsUnreadable_ || !RemembersSettings()) return;
  try {
    SaveSettings();
  } catch (const std::exception&) {
  }
}

// The user's own choice goes ahead also on a file that could not be read at start.
void TFrmMain::RememberSettings1Click() {
  settingsUnreadable_ = false;
  if (RemembersSettings()) {
    if (!DeleteFileIfThere(SettingsPath()))
      ShowErrorBox(handle_, L"Quoxel could not delete its settings file " + SettingsPath() + L".");
    return;
  }
  try {
    SaveSettings();
  } catch (const AppError& error) {
    ShowErrorBox(handle_, L"Quoxel could not save its settings. " + error.Message());
  }
}
