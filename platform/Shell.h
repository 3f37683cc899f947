#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

// The shell's library, for its resources (the standard animation clips). Loaded once and kept: under
// Wine, resources are found only through the handle the loader gives out, not the one of an import.
HMODULE ShellResources();

// Hands a web address to the shell, which opens it in the user's browser.
void OpenInBrowser(const std::wstring& address);
// Tests take the address instead of the browser; an empty opener brings the shell back.
using BrowserOpener = std::function<void(const std::wstring&)>;
void SetBrowserOpener(BrowserOpener opener);

// Shell_NotifyIconW. Tests take the calls instead of the shell, so that no icon or balloon of a test
// outlives it in the desktop; an empty taker brings the shell back.
void NotifyIcon(DWORD message, NOTIFYICONDATAW& data);
using NotifyIconTaker = std::function<void(DWORD, const NOTIFYICONDATAW&)>;
void SetNotifyIconTaker(NotifyIconTaker taker);

// Shows a popup menu at a screen position, for the window that gets its command; returns when the
// menu has closed. Tests choose the command (0 for none) instead of a person.
void ShowPopupMenu(HMENU menu, HWND owner, POINT at);
using PopupMenuChooser = std::function<UINT(HMENU, POINT)>;
void SetPopupMenuChooser(PopupMenuChooser chooser);

// Starts a program through the shell's "open" with its parameters and show command, without waiting
// for it. Tests take the start instead of the shell; an empty starter brings the shell back.
void StartProgram(HWND owner, const std::wstring& program, const std::wstring& parameters, int show);
using ProgramStarter = std::function<void(const std::wstring& program, const std::wstring& parameters, int show)>;
void SetProgramStarter(ProgramStarter starter);

// The command interpreter the system names in ComSpec, or "cmd.exe" where it names none.
std::wstring CommandInterpreter();
