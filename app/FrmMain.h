#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Navigation.h"
#include "app/Version.h"
#include "platform/Dpi.h"
#include "platform/FileDialogs.h"
#include "platform/Handles.h"
#include "platform/Pictures.h"
#include "ui/DpiRelayout.h"
#include "ui/Page.h"
#include "ui/Tool.h"
#include "utilities/RandomGenerator.h"

// Command ids of the tray menu.
enum CommandId : int {
  kCmdProcesses1 = 1001,
  kCmdSetanewrandomwallpaper1,
  kCmdShow1,
  kCmdHide1,
  kCmdExit1,
  kCmdStartWithWindows1,
  kCmdRememberSettings1,
};

// The tray icon's callback message, and the request to move to another page (wParam: +1 or -1).
constexpr UINT kTrayIconMessage = WM_USER + 1;
constexpr UINT kMovePageMessage = WM_USER + 2;

// The program's one window: a page control with the Home page and one page for each tool, the tray
// icon and its menu. Each tool is a class of its own (tools/<tool>/) that makes its page's controls
// and handles them; the window creates the tools, runs their parts of the start and the end, and
// wires what one part of the program asks of another.
class TFrmMain : public ToolHost {
 public:
  static constexpr int kClientWidth = 598;
  static constexpr int kClientHeight = 418;
  static constexpr wchar_t kCaption[] = L"Quoxel " QUOXEL_VERSION_TEXT;
  static constexpr wchar_t kWindowClass[] = L"TFrmMain";
  // What a later start of the program from the same folder posts to the running copy's window, which
  // then shows itself as the tray menu's "Show" does.
  static UINT ShowRequestMessage();

  // Builds the window with the Home page (hidden, centred on the screen) and runs FormCreate. The
  // tools' pages are made when first shown.
  // appDir: the program's folder, with its trailing separator.
  TFrmMain(HINSTANCE instance, std::wstring appDir);
  // Destroys the window if it still exists.
  ~TFrmMain();
  TFrmMain(const TFrmMain&) = delete;
  TFrmMain& operator=(const TFrmMain&) = delete;

  HWND Handle() const { return handle_; }
  // Marks the window with the name of this copy (platform/SingleInstance.h), so that a later start
  // from the same folder finds it and asks it to show itself instead of running beside it.
  void AnswerLaterStarts(const std::wstring& instanceName);
  // The program started hidden in the notification area (/tray), as Windows starts it at sign-in.
  void StartedInTray();

  // Page control. Setting the page in code makes it if needed but does not run TabitChange.
  int ActivePage() const;
  void SetActivePage(int index);
  // Null for a page not shown yet.
  HWND PageHandle(int index) const { return pages_[index] ? pages_[index]->Handle() : nullptr; }
  // Work done each time a page comes to the front (a tool's page starts with the tool's).
  void SetPageWork(int page, std::function<void()> work);

  // The tool of class T, made from its row of kTools. Its controls exist once its page has been shown.
  template <typename T>
  T& ToolAs() {
    return static_cast<T&>(*tools_[ToolOfPage(PageOf<T>())]);
  }

  // Controls.
  HWND Tabit = nullptr;
  HWND LblVersion = nullptr, Lbl18 = nullptr, LblLink1 = nullptr, Lbl14 = nullptr, Lbl1 = nullptr;
  HWND Kuvakkeet = nullptr, BtnMinTray = nullptr;

  // Non-visual components.
  ScopedImageList Kuvakekuvat;
  ScopedMenu Pop1;  // the tray menu, its items bound to their handlers in trayCommands_

  // State.
  NOTIFYICONDATAW TrayIconData{};

  // Handlers.
  void TabitChange();
  // clientPoint: where in Kuvakkeet the double-click happened.
  void KuvakkeetDblClick(POINT clientPoint);
  // Enter on the icon view, or a double-click on an icon: the selected icon's page comes to the front.
  void OpenSelectedModule();
  // event: the mouse message, NIN_KEYSELECT (Enter or Space on the icon) or WM_CONTEXTMENU (the menu
  // key, Shift+F10, or after a right click).
  void TrayIconNotify(LPARAM event);
  void Processes1Click();
  // Ticks or unticks "Start with Windows": writes or removes this program folder's Run value.
  void StartWithWindows1Click();
  // Ticks "Remember settings" by saving the settings in Data\settings.ini, unticks it by deleting it.
  void RememberSettings1Click();
  void Show1Click();
  void Hide1Click();
  void Exit1Click();
  // The close box, the system menu's Close and Alt+F4: with a tool armed, asks whether to hide instead.
  void CloseBoxClick();
  void BtnMinTrayClick();
  void LblLink1Click();

  // What the tools ask of the window.
  HWND Window() const override { return handle_; }
  const std::wstring& AppDir() const override { return appDir_; }
  const WindowFonts& Fonts() const override { return fonts_; }
  void ShowTrayBalloon(const std::wstring& text, const std::wstring& title) override;
  RandomGenerator& Random() override { return random_; }
  void LongWorkStarted() override { ++longWork_; }
  void LongWorkEnded() override;
  bool EndRequested() const override { return endRequested_; }
  void ArmedStateChanged() override;
  void SettingsChanged() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void RunHandler(const std::function<void()>& handler);
  // For ends that nobody is there to answer a box at: a failed save is dropped.
  void SaveWallpaperListSilently();

  void CreateFonts();
  void CreatePageControl();
  void FitTabsInOneRow();
  void CreateHomePage();
  void LoadLogo();
  void DrawLogo(HDC dc, const RECT& place) const;
  void CreateModuleIcons();
  // The icon view's pictures and spacing for the window's DPI.
  void LoadModulePictures();
  // The icon view's sky blue, or the system's window colours in high contrast.
  void ShowModuleIconColours();
  // After a change of the system's colours or of the high-contrast setting: every control takes the
  // colours anew and the window is drawn again.
  void FollowSystemColours();
  // Lays the window out again for a screen of another DPI, in the rectangle Windows suggests for it.
  void ApplyDpi(int dpi, const RECT& suggested);
  void CreateComponents();
  // Makes each tool of the table; a tool's work runs each time its page comes to the front.
  void CreateTools();
  // The page, made with its tool's controls when asked for the first time.
  Page& MakePage(int page);
  void FollowWindowDpi(HWND page);
  // What one tool asks of another.
  void WireTools();
  void LayOutPages();
  void ShowOnlyActivePage();
  void FormCreate();
  void FormDestroy();
  void RunPageWork(int page);
  void AddTrayIcon();
  void RemoveTrayIcon();
  // Asks the shell for the keyboard's notices of the icon; needed after each NIM_ADD and balloon.
  void SetTrayIconVersion();
  std::wstring TrayTipText() const;
  // The tools armed now, as the user knows them ("the alarm"), in the order of their tabs.
  std::vector<std::wstring> ArmedToolNames() const;
  void ShowTrayMenu();
  // This program in the program folder the window was given (tests give a scratch folder).
  std::wstring ProgramPath() const;
  // True when the Run value of this program folder starts this very program in the tray.
  bool StartsWithWindows() const;
  // The remembered settings: kept while their file is there.
  std::wstring SettingsPath() const;
  bool RemembersSettings() const;
  // Each tool that keeps settings gets its page and its values back; nothing is saved meanwhile.
  void RestoreSettings();
  // Writes every tool's values through a temporary file; throws AppError when that failed.
  void SaveSettings();
  // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp from any control of the window move to the
  // next or previous page, wrapping around, as a click on its tab does.
  void WatchPageKeys();
  void StopWatchingPageKeys();
  static LRESULT CALLBACK PageKeysHook(int code, WPARAM wParam, LPARAM lParam);
  bool TakePageKey(const MSG& msg);
  bool TabPastThePage(bool backwards);
  // Alt and a letter: a click on the button of the page in front whose access key the letter is.
  bool PressAccessKey(wchar_t typed);
  void MovePage(int step);
  // The control that had the focus when the window was last left (for a box, a dialog, another
  // window) gets it back when the window is active again; true when it did.
  void RememberFocus();
  bool GiveFocusBack();
  // Ends the program through FormDestroy; during long work, once that work is over.
  void EndProgram();

  static constexpr int kLinkGap = 3;  // between the Home page's label and the link that follows it

  HINSTANCE instance_;
  HWND handle_ = nullptr;
  std::wstring appDir_;
  // The DPI the window is laid out for: the screen's where it opens, then its monitor's.
  int dpi_ = ScreenDpi();
  WindowFonts fonts_;
  ScopedFont versionFont_, tabFont_;
  // The tools' own fonts at the DPI the window was moved to last.
  std::unique_ptr<RescaledFonts> rescaledFonts_;
  // The fonts of pages made since at the DPI the window was moved to.
  std::vector<std::unique_ptr<RescaledFonts>> pageFonts_;
  Picture logoPicture_;
  ScopedBitmap logo_;
  ScopedIcon smallIcon_;
  RandomGenerator random_;
  // Sent to every top-level window when the shell (re)creates the taskbar.
  UINT taskbarCreatedMessage_ = 0;
  UINT showRequestMessage_ = 0;
  std::wstring instanceName_;
  std::array<std::unique_ptr<Page>, kPageCount> pages_;
  std::array<std::function<void()>, kPageCount> pageWork_;
  std::array<std::unique_ptr<Tool>, kTools.size()> tools_;
  ScopedHook pageKeysHook_;
  MenuCommands trayCommands_;
  // A right click's WM_CONTEXTMENU follows its press, which has shown the tray menu already.
  bool rightClickMenuShown_ = false;
  HWND focusWhenLeft_ = nullptr;
  int longWork_ = 0;
  bool endRequested_ = false;
  bool restoringSettings_ = false;
  // The settings file was there at start but could not be read: it is not written this run.
  bool settingsUnreadable_ = false;
};
