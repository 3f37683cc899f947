// The notification-area icon, its balloon notices and menu, the tray button and the link labels.
#include "app/FrmMain.h"

#include <algorithm>
#include <cwctype>
#include <optional>
#include <utility>
#include <vector>

#include "app/ResourceIds.h"
#include "platform/Boxes.h"
#include "platform/RunAtStartup.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"
#include "ui/Controls.h"
#include "utilities/FileNames.h"
#include "utilities/StartupCommand.h"
#include "utilities/TrayTip.h"

namespace {

constexpr UINT kBalloonTimeout = 3000;
constexpr size_t kBalloonTextLength = 255;
constexpr size_t kBalloonTitleLength = 63;

// Copies at most `limit` characters and ends them with a NUL.
template <size_t N>
void CopyCut(wchar_t (&target)[N], const std::wstring& text, size_t limit) {
  const size_t length = std::min({text.size(), limit, N - 1});
  std::copy_n(text.c_str(), length, target);
  target[length] = L'\0';
}

// Each program folder has a value of its own, named as its copies' lock ("Quoxel-" and a hash of the
// folder), so that copies in two folders do not take each other's start.
std::wstring RunValueName(const std::wstring& programFolder) { return InstanceName(programFolder); }

// "a", "a and b", "a, b and c".
std::wstring NamesInASentence(const std::vector<std::wstring>& names) {
  std::wstring sentence = names.front();
  for (size_t i = 1; i < names.size(); ++i) sentence += (i + 1 == names.size() ? L" and " : L", ") + names[i];
  return sentence;
}

std::wstring HideInsteadOfEndingQuestion(const std::vector<std::wstring>& armed) {
  std::wstring subject = NamesInASentence(armed);
  subject[0] = static_cast<wchar_t>(towupper(subject[0]));
  const bool several = armed.size() > 1;
  return subject + (several ? L" are armed. They work" : L" is armed. It works") +
         L" only while Quoxel runs. Hide Quoxel in the notification area instead of ending it?";
}

}  // namespace

void TFrmMain::AddTrayIcon() {
  TrayIconData.cbSize = NOTIFYICONDATAW_V2_SIZE;
  TrayIconData.hWnd = handle_;
  TrayIconData.uID = 0;
  TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  TrayIconData.uCallbackMessage = kTrayIconMessage;
  TrayIconData.hIcon = smallIcon_.Get();
  CopyCut(TrayIconData.szTip, TrayTipText(), kTrayTipLength);
  NotifyIcon(NIM_ADD, TrayIconData);
  SetTrayIconVersion();
}

void TFrmMain::SetTrayIconVersion() {
  TrayIconData.uVersion = NOTIFYICON_VERSION;
  NotifyIcon(NIM_SETVERSION, TrayIconData);
}

// "Quoxel", then the armed tools' lines in the order of their tabs.
std::wstring TFrmMain::TrayTipText() const {
  std::vector<std::wstring> lines;
  for (const auto& tool : tools_)
    if (auto line = tool->ArmedLine()) lines.push_back(std::move(*line));
  return TrayTip(lines);
}

std::vector<std::wstring> TFrmMain::ArmedToolNames() const {
  std::vector<std::wstring> names;
  for (const auto& tool : tools_)
    if (tool->ArmedLine()) names.push_back(tool->ArmedName());
  return names;
}

void TFrmMain::ArmedStateChanged() {
  TrayIconData.cbSize = NOTIFYICONDATAW_V2_SIZE;
  TrayIconData.uFlags = NIF_TIP;
  CopyCut(TrayIconData.szTip, TrayTipText(), kTrayTipLength);
  NotifyIcon(NIM_MODIFY, TrayIconData);
  SettingsChanged();  // armed states are among the remembered settings
}

void TFrmMain::RemoveTrayIcon() { NotifyIcon(NIM_DELETE, TrayIconData); }

void TFrmMain::ShowTrayBalloon(const std::wstring& text, const std::wstring& title) {
  TrayIconData.cbSize = NOTIFYICONDATAW_V2_SIZE;
  TrayIconData.uFlags = NIF_INFO;
  CopyCut(TrayIconData.szInfo, text, kBalloonTextLength);
  TrayIconData.uTimeout = kBalloonTimeout;
  CopyCut(TrayIconData.szInfoTitle, title, kBalloonTitleLength);
  TrayIconData.dwInfoFlags = NIIF_INFO;
  NotifyIcon(NIM_MODIFY, TrayIconData);
  SetTrayIconVersion();
}

void TFrmMain::TrayIconNotify(LPARAM event) {
  switch (event) {
    case WM_LBUTTONDOWN:
    case NIN_KEYSELECT:
      if (IsWindowVisible(handle_))  // a minimised window counts as visible
        ShowWindow(handle_, SW_HIDE);
      else
        Show1Click();
      break;
    case WM_RBUTTONDOWN:
      ShowTrayMenu();
      break;
    case WM_RBUTTONUP:
      rightClickMenuShown_ = true;
      break;
    case WM_CONTEXTMENU:
      if (!std::exchange(rightClickMenuShown_, false)) ShowTrayMenu();
      break;
  }
}

void TFrmMain::ShowTrayMenu() {
  SetForegroundWindow(handle_);
  POINT pointer{};
  GetCursorPos(&pointer);
  CheckMenuItem(Pop1.Get(), kCmdStartWithWindows1, StartsWithWindows() ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(Pop1.Get(), kCmdRememberSettings1, RemembersSettings() ? MF_CHECKED : MF_UNCHECKED);
  ShowPopupMenu(Pop1.Get(), handle_, pointer);
  // Lets the menu close properly when the user clicks elsewhere (the window may be hidden).
  PostMessageW(handle_, WM_NULL, 0, 0);
}

void TFrmMain::Processes1Click() {
  constexpr int page = PageOf<AdminTool>();
  MakePage(page);
  RunPageWork(page);
  ShowWindow(handle_, IsIconic(handle_) ? SW_RESTORE : SW_SHOW);
  SetActivePage(page);
}

std::wstring TFrmMain::ProgramPath() const {
  const std::wstring program = ExecutablePath();
  return appDir_ + program.substr(FolderPart(program).size());
}

bool TFrmMain::StartsWithWindows() const {
  const auto stored = ReadRunValue(RunValueName(appDir_));
  return stored && StartsProgramInTray(*stored, ProgramPath());
}

// A command cut to fit would start nothing, or another program: it is written whole or not at all.
void TFrmMain::StartWithWindows1Click() {
  const auto command = StartsWithWindows() ? std::nullopt : std::optional(StartupCommandLine(ProgramPath()));
  if (command && command->size() > kRunCommandLimit) {
    ShowErrorBox(handle_, L"Quoxel cannot start with Windows from this folder: the command that starts it would be " +
                              std::to_wstring(command->size()) + L" characters long, and Windows runs at most " +
                              std::to_wstring(kRunCommandLimit) + L". Move Quoxel to a folder with a shorter path.");
    return;
  }
  if (!ChangeRunValue(RunValueName(appDir_), command))
    ShowErrorBox(handle_, L"Quoxel could not change its start with Windows in the registry.");
}

void TFrmMain::Show1Click() {
  ShowWindow(handle_, IsIconic(handle_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(handle_);
  TabitChange();
}

void TFrmMain::Hide1Click() { ShowWindow(handle_, SW_HIDE); }

void TFrmMain::BtnMinTrayClick() { ShowWindow(handle_, SW_HIDE); }

void TFrmMain::Exit1Click() {
  if (Confirm(handle_, L"Are you sure you want to exit Quoxel?")) EndProgram();
}

// Closing would silently drop what is armed, so the user may hide the window instead (the default).
void TFrmMain::CloseBoxClick() {
  const std::vector<std::wstring> armed = ArmedToolNames();
  if (armed.empty()) {
    EndProgram();
    return;
  }
  switch (AskYesNoCancel(handle_, HideInsteadOfEndingQuestion(armed))) {
    case IDYES:
      ShowWindow(handle_, SW_HIDE);
      break;
    case IDNO:
      EndProgram();
      break;
  }
}

void TFrmMain::LblLink1Click() { OpenLinkLabel(LblLink1); }
