#include "platform/Shell.h"

namespace {
BrowserOpener g_opener;
NotifyIconTaker g_notifyTaker;
PopupMenuChooser g_menuChooser;
}  // namespace

HMODULE ShellResources() {
  static const HMODULE shell = LoadLibraryW(L"shell32.dll");
  return shell;
}

void SetBrowserOpener(BrowserOpener opener) { g_opener = std::move(opener); }

void OpenInBrowser(const std::wstring& address) {
  if (g_opener) {
    g_opener(address);
    return;
  }
  ShellExecuteW(nullptr, L"Open", address.c_str(), L"", nullptr, SW_SHOWNORMAL);
}

void SetNotifyIconTaker(NotifyIconTaker taker) { g_notifyTaker = std::move(taker); }

void NotifyIcon(DWORD message, NOTIFYICONDATAW& data) {
  if (g_notifyTaker) {
    g_notifyTaker(message, data);
    return;
  }
  Shell_NotifyIconW(message, &data);
}

void SetPopupMenuChooser(PopupMenuChooser chooser) { g_menuChooser = std::move(chooser); }

void ShowPopupMenu(HMENU menu, HWND owner, POINT at) {
  if (g_menuChooser) {
    // The real menu posts the chosen command to its window; do the same.
    if (const UINT command = g_menuChooser(menu, at)) PostMessageW(owner, WM_COMMAND, command, 0);
    return;
  }
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
}

namespace {
ProgramStarter g_programStarter;
}  // namespace

void SetProgramStarter(ProgramStarter starter) { g_programStarter = std::move(starter); }

void StartProgram(HWND owner, const std::wstring& program, const std::wstring& parameters, int show) {
  if (g_programStarter) {
    g_programStarter(program, parameters, show);
    return;
  }
  ShellExecuteW(owner, L"open", program.c_str(), parameters.c_str(), nullptr, show);
}

std::wstring CommandInterpreter() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetEnvironmentVariableW(L"ComSpec", path, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return L"cmd.exe";
  return std::wstring(path, length);
}
