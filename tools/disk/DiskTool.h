#pragma once
#include <windows.h>

#include <memory>
#include <set>
#include <string>

#include "platform/Drives.h"
#include "platform/FileDialogs.h"
#include "platform/Handles.h"
#include "platform/WindowTimer.h"
#include "tools/disk/AlertRules.h"
#include "tools/disk/FolderWalk.h"
#include "ui/ComboBox.h"
#include "ui/Page.h"
#include "ui/Tool.h"

// "Hard Disk Drives": the fixed drives and their figures, the largest-files search with saving of its
// results, and the alert that warns while a drive has less free space than a threshold.
class DiskTool : public Tool {
 public:
  // The command of Pop2's one item.
  static constexpr UINT kCmdSaveRTAF = 100;
  static constexpr UINT_PTR kTimerLowSpace = 1;

  explicit DiskTool(ToolHost& host);
  void PageShown() override {
    OpenSearchClip();
    FillDriveList();
  }
  // The alert's starting state, set while the program starts; the threshold's edit shows it when made.
  void SetAlertDefaults();
  std::optional<std::wstring> ArmedLine() const override;
  std::wstring ArmedName() const override { return L"the low-space alert"; }
  bool KeepsSettings() const override { return true; }
  void StoreSettings(SettingsFile& file) const override;
  void RestoreSettings(const SettingsFile& file) override;

  // Controls.
  HWND Lbl11 = nullptr, LstKovot = nullptr, PnlKovo = nullptr;
  HWND LblFreeS = nullptr, LblSpaceU = nullptr, LblKovoK = nullptr, LblDS = nullptr;
  HWND Cbo_SC = nullptr, Lbl9 = nullptr, Lbl10 = nullptr, BtnKovoIsoimmat = nullptr, LstLargest = nullptr;
  HWND Anim1 = nullptr, LblSearching = nullptr;
  HWND ChkSAlert = nullptr, Lbl21 = nullptr, EditAA = nullptr, Lbl22 = nullptr;
  // The drive the alert watches: the one chosen, locked while the alert is armed.
  ComboBox<wchar_t> CboAD;
  // Non-visual components.
  ScopedMenu Pop2;
  WindowTimer Ajastin3{kTimerLowSpace, 6000};
  FileDialog Save1;

  // Handlers.
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

 private:
  void CreateControls(Page& page) override;
  void CreateDriveDetails();
  void CreateSearchControls();
  void CreateAlertRow();
  wchar_t SelectedDriveLetter() const;
  void SearchLargestFiles(const std::wstring& root);
  void ListSearchResults();
  void OpenSearchClip();
  void ShowResultsMenu(POINT at);
  void FillAlertDrives();
  void ArmAlert();

  std::wstring alertThreshold_ = L"10.0";  // until the program's start sets it in the user's format
  LowSpaceRepeat alertRepeat_;
  ScopedFont drivesFont_, searchingFont_;
  ScopedBrush creamBrush_;
  std::unique_ptr<Page> panelKovo_;
  bool searching_ = false;
  bool searchClipOpen_ = false;
  // The folders this search has walked, so that none is walked twice whatever leads to it again.
  std::set<FolderKey> walked_;
};
