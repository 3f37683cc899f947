#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"
#include "platform/Handles.h"
#include "platform/IniFile.h"
#include "platform/Pictures.h"
#include "platform/WindowTimer.h"
#include "ui/Navigation.h"
#include "ui/Page.h"
#include "utilities/RandomGenerator.h"

struct Catalogue;

// Command ids of the menus and of the controls that report clicks.
enum CommandId : int {
  kCmdProcesses1 = 1001,
  kCmdSetanewrandomwallpaper1,
  kCmdShow1,
  kCmdHide1,
  kCmdExit1,
  kCmdSaveRTAF,
  kCmdBtnMinTray,
  kCmdLblLink1,
  kCmdLstKovot,
  kCmdBtnKovoIsoimmat,
  kCmdChkSAlert,
  kCmdLstProc,
  kCmdBtnFI,
  kCmdBtnGInf,
  kCmdLblSLink,
  kCmdBtnUpdate1,
};

// The tray icon's callback message.
constexpr UINT kTrayIconMessage = WM_USER + 1;

// Ids of the window's timers.
enum TimerId : UINT_PTR { kTimerAlarm = 1, kTimerShutdown = 2, kTimerLowSpace = 3 };

// The program's one window: a page control with the Home page and one page for each tool. The tools'
// handlers are members too; each tool's live in its own folder under tools/.
class TFrmMain {
 public:
  static constexpr int kClientWidth = 598;
  static constexpr int kClientHeight = 418;
  static constexpr wchar_t kCaption[] = L"Quoxel 1.0";

  // Builds the window with all its controls (hidden, centred on the screen) and runs FormCreate.
  explicit TFrmMain(HINSTANCE instance);
  // Destroys the window if it still exists.
  ~TFrmMain();
  TFrmMain(const TFrmMain&) = delete;
  TFrmMain& operator=(const TFrmMain&) = delete;

  HWND Handle() const { return handle_; }

  // Page control. Setting the page in code does not run TabitChange.
  int ActivePage() const;
  void SetActivePage(int index);
  HWND PageHandle(int index) const { return pages_[index]->Handle(); }
  // Work a tool does each time its page comes to the front.
  void SetPageWork(int page, std::function<void()> work);

  // Controls.
  HWND Tabit = nullptr;
  HWND SH1 = nullptr, SH2 = nullptr, Sh3 = nullptr, SH4 = nullptr, SH6 = nullptr, SH7 = nullptr,
       SH8 = nullptr, SH10 = nullptr, SH9 = nullptr;
  HWND LblVersion = nullptr, Lbl18 = nullptr, LblLink1 = nullptr, Lbl14 = nullptr, Lbl1 = nullptr;
  HWND Kuvakkeet = nullptr, BtnMinTray = nullptr;
  // "Hard Disk Drives" page.
  HWND Lbl11 = nullptr, LstKovot = nullptr, PnlKovo = nullptr;
  HWND LblFreeS = nullptr, LblSpaceU = nullptr, LblKovoK = nullptr, LblDS = nullptr;
  HWND Cbo_SC = nullptr, Lbl9 = nullptr, Lbl10 = nullptr, BtnKovoIsoimmat = nullptr, LstLargest = nullptr;
  HWND Anim1 = nullptr, LblSearching = nullptr;
  HWND ChkSAlert = nullptr, CboAD = nullptr, Lbl21 = nullptr, EditAA = nullptr, Lbl22 = nullptr;
  // "PC Administrating" page.
  HWND LstInfo = nullptr, Lbl23 = nullptr, BtnFI = nullptr, Lbl16 = nullptr, LstProc = nullptr;
  HWND BtnGInf = nullptr, Lbl17 = nullptr;
  // "Software List" page.
  HWND Lbl8 = nullptr, Softat = nullptr, Lbl12 = nullptr, LblSLink = nullptr, BtnUpdate1 = nullptr;

  // Non-visual components.
  ScopedImageList Kuvakekuvat;
  ScopedMenu Pop1, Pop2;
  WindowTimer AlarmAjastin{kTimerAlarm, 60000};
  WindowTimer ShutAjastin{kTimerShutdown, 60000};
  WindowTimer Ajastin3{kTimerLowSpace, 6000};
  FileDialog Avaaja1, Avaaja2, Avaaja3, Save1;

  // State.
  NOTIFYICONDATAW TrayIconData{};
  wchar_t AlertDrive = L'C';
  bool AlarmOn = false;
  bool TimedShutdownOn = false;
  std::wstring AppDir;
  std::unique_ptr<IniFileReader> SoftIni;  // download locations of the catalogue
  RandomGenerator Random;

  // Handlers.
  void TabitChange();
  // clientPoint: where in Kuvakkeet the double-click happened.
  void KuvakkeetDblClick(POINT clientPoint);
  void TrayIconNotify(LPARAM mouseMessage);
  void Processes1Click();
  void Show1Click();
  void Hide1Click();
  void Exit1Click();
  void BtnMinTrayClick();
  void LblLink1Click();

  // Disk tools.
  void FillDriveList();
  void LstKovotClick();
  std::wstring GetVolumeSerial(const std::wstring& driveText);
  void BtnKovoIsoimmatClick();
  void Cbo_SCKeyPress(wchar_t& key);
  void SaveRTAFClick();
  void EditAAKeyPress(wchar_t& key);
  void CboADKeyPress(wchar_t& key);
  void ChkSAlertClick();
  void Ajastin3Timer();

  // Administration.
  void RefreshAdminTab();
  void AddProcessName(const std::wstring& name);
  void LstProcClickCheck();
  void LstProcClick();
  double EstimateCpuClock();
  void BtnGInfClick();

  // Software catalogue.
  // Loads the tree from Data\soft.txt when it exists (an error is shown, the earlier entries stay)
  // and puts SoftIni on Data\soft.ini.
  void LoadSoftwareList();
  void SoftatChange(HTREEITEM node);
  void LblSLinkClick();
  void BtnUpdate1Click();

  // A balloon notice from the tray icon: text cut to 255 characters, title to 63; returns at once.
  void ShowTrayBalloon(const std::wstring& text, const std::wstring& title);

  // The maker's web address and credit line shown on the Home page.
  static constexpr wchar_t kMakerAddress[] = L"https://quoxel.net";
  static constexpr wchar_t kMakerCredit[] = L"Made by the Quoxel team, 2026";

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleNotify(const NMHDR& header);
  LRESULT ColourStatic(HDC dc, HWND control);
  // Runs a handler; an error it does not catch ends it and is shown in the error box.
  void RunHandler(const std::function<void()>& handler);

  void CreateFonts();
  void CreatePageControl();
  void FitTabsInOneRow();
  void CreateHomePage();
  void CreateModuleIcons();
  void CreateComponents();
  void LayOutPages();
  void ShowOnlyActivePage();
  void FormCreate();
  void FormDestroy();
  void HandleCommand(int id, int code);
  void RunPageWork(int page);
  void AddTrayIcon();
  void RemoveTrayIcon();
  void OpenLinkLabel(HWND label);
  void HandleTimer(UINT_PTR id);
  // Ends the program through FormDestroy; during a search, once the search has listed its results.
  void EndProgram();
  void ProcessPendingMessages();

  void CreateDiskPage();
  void CreateDriveDetails();
  void CreateSearchControls();
  void CreateAlertRow();
  wchar_t SelectedDriveLetter() const;
  void SearchLargestFiles(const std::wstring& folder, const std::wstring& mask, bool recurse);
  void ListSearchResults();
  void SetAlertChecked(bool checked);

  void CreateCataloguePage();
  std::wstring DataFile(const wchar_t* name) const;
  void FillCatalogueTree(const Catalogue& catalogue);
  void LoadCatalogueFile(const std::wstring& path);
  void UpdateSoftwareList();

  void CreateAdminPage();
  std::wstring TrustedFilePath() const;
  std::vector<std::wstring> LoadTrustedList() const;

  HINSTANCE instance_;
  HWND handle_ = nullptr;
  ScopedFont font_, boldFont_, versionFont_, linkFont_, tabFont_;
  ScopedBitmap logo_;
  ScopedIcon smallIcon_;
  // Sent to every top-level window when the shell (re)creates the taskbar.
  UINT taskbarCreatedMessage_ = 0;
  std::array<std::unique_ptr<Page>, kPageCount> pages_;
  std::array<std::function<void()>, kPageCount> pageWork_;
  ScopedFont drivesFont_, searchingFont_, infoFont_;
  ScopedBrush creamBrush_;
  std::unique_ptr<Page> panelKovo_;
  bool searching_ = false;
  bool endRequested_ = false;
};
