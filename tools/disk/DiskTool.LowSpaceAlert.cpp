// "Hard Disk Drives" page: the alert that warns while a drive has less free space than a threshold.
#include "tools/disk/DiskTool.h"

#include <commctrl.h>

#include "platform/Boxes.h"
#include "platform/Clock.h"
#include "platform/Drives.h"
#include "platform/System.h"
#include "tools/disk/AlertRules.h"
#include "tools/disk/DriveFigures.h"

namespace {

constexpr int kAlertComboListHeight = 120;

constexpr int kLabelGap = 3;

}  // namespace

void DiskTool::CreateAlertRow() {
  const HFONT font = host_.Fonts().normal.Get();
  page_->BindTimer(Ajastin3, [this] { Ajastin3Timer(); });
  ChkSAlert = page_->Bind(
      CreateChild(PageHandle(), L"BUTTON", L"&Alert if drive", WS_TABSTOP | BS_AUTOCHECKBOX, {8, 360, 80, 17}, 0, font),
      OnClick([this] { ChkSAlertClick(); }));
  EditAA = page_->Bind(CreateChild(PageHandle(), L"EDIT", alertThreshold_.c_str(), WS_TABSTOP | ES_AUTOHSCROLL,
                                   {251, 358, 46, 21}, 0, font, WS_EX_CLIENTEDGE),
                       OnKey([this](wchar_t& key) { EditAAKeyPress(key); }).OnChange([this] { host_.SettingsChanged(); }));
  CboAD = page_->Bind(CreateChild(PageHandle(), WC_COMBOBOXW, L"C:", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                                  {94, 358, 51, 21 + kAlertComboListHeight}, 0, font),
                      OnKey([this](wchar_t& key) { CboADKeyPress(key); }));
  SetWindowTextW(CboAD, L"C:");
  SetAccessibleName(EditAA, L"Free space alert threshold (GB)");
  SetAccessibleName(CboAD, L"Alert drive");
  SetItemHeight(CboAD, CB_SETITEMHEIGHT, 13);
  Lbl21 = CreateLabel(PageHandle(), L"has less space than", {151, 362, 94, 13}, font);
  Lbl22 = CreateLabel(PageHandle(), L"GB", {303, 362, 13, 13}, font);
  // The threshold and its unit give way to a label grown beyond its place with a larger font.
  KeepRightOf(EditAA, Lbl21, kLabelGap);
  KeepRightOf(Lbl22, EditAA, kLabelGap);
}

void DiskTool::SetAlertDefaults() {
  AlertDrive = L'C';
  alertThreshold_ = std::wstring(L"10") + UserDecimalSeparator() + L"0";
}

void DiskTool::EditAAKeyPress(wchar_t& key) {
  key = FilterThresholdKey(key, WindowTextOf(EditAA), UserDecimalSeparator());
}

void DiskTool::CboADKeyPress(wchar_t& key) { key = 0; }

void DiskTool::ChkSAlertClick() {
  if (IsButtonChecked(ChkSAlert)) {
    const wchar_t separator = UserDecimalSeparator();
    const std::wstring drive = WindowTextOf(CboAD);
    switch (DecideArming(WindowTextOf(EditAA), drive, separator)) {
      case ArmingDecision::Arm:
        ArmAlert(drive[0]);
        return;
      case ArmingDecision::UntickSilently:
        break;
      case ArmingDecision::RefuseNotANumber:
        ShowNotice(host_.Window(),
                   std::wstring(L"The alert needs a number of gigabytes, such as 10") + separator + L"0.");
        break;
      case ArmingDecision::RefuseNoDrive:
        ShowNotice(host_.Window(), L"Choose the drive to watch first.");
        break;
    }
    SetButtonChecked(ChkSAlert, false);
  }
  Ajastin3.SetEnabled(false);
  EnableWindow(EditAA, TRUE);
  host_.ArmedStateChanged();
}

void DiskTool::ArmAlert(wchar_t drive) {
  AlertDrive = drive;
  alertRepeat_.Reset();
  Ajastin3.SetEnabled(true);
  EnableWindow(EditAA, FALSE);
  host_.ArmedStateChanged();
}

std::optional<std::wstring> DiskTool::ArmedLine() const {
  if (!Ajastin3.Enabled()) return std::nullopt;
  return LowSpaceArmedLine(AlertDrive, WindowTextOf(EditAA));
}

void DiskTool::Ajastin3Timer() {
  const std::wstring thresholdText = WindowTextOf(EditAA);
  const auto threshold = ParseThreshold(thresholdText, UserDecimalSeparator());
  if (!threshold) return;  // arming refuses such a text, and the edit is locked while armed
  const long double free = ToGibibytes(QueryDriveSpace(RootOfDriveNumber(DriveNumber(AlertDrive))).freeToCaller);
  if (alertRepeat_.Check(SteadyMilliseconds(), IsBelowThreshold(free, *threshold)))
    host_.ShowTrayBalloon(LowSpaceNotice(AlertDrive, thresholdText), L"Hard Disk Drive Space Alert");
}
