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
  CboAD.Attach(page_->Bind(CreateChild(PageHandle(), WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                                        {94, 358, 51, 21 + kAlertComboListHeight}, 0, font),
                            OnKey([this](wchar_t& key) { CboADKeyPress(key); }).OnSelect([this] {
                              host_.SettingsChanged();
                            })));
  // Filled now: remembered settings choose the drive before the page is first shown.
  FillAlertDrives();
  SetAccessibleName(EditAA, L"Free space alert threshold (GB)");
  SetAccessibleName(CboAD.Handle(), L"Alert drive");
  SetItemHeight(CboAD.Handle(), CB_SETITEMHEIGHT, 13);
  Lbl21 = CreateLabel(PageHandle(), L"has less space than", {151, 362, 94, 13}, font);
  Lbl22 = CreateLabel(PageHandle(), L"GB", {303, 362, 13, 13}, font);
  // The threshold and its unit give way to a label grown beyond its place with a larger font.
  KeepRightOf(EditAA, Lbl21, kLabelGap);
  KeepRightOf(Lbl22, EditAA, kLabelGap);
}

// The armed alert's box is locked on its drive, which stays listed there even if the drive goes.
void DiskTool::FillAlertDrives() {
  if (!Ajastin3.Enabled()) CboAD.SetItems(FixedDriveLetters(), DriveText);
}

void DiskTool::SetAlertDefaults() {
  alertThreshold_ = std::wstring(L"10") + UserDecimalSeparator() + L"0";
}

void DiskTool::EditAAKeyPress(wchar_t& key) {
  key = FilterThresholdKey(key, WindowTextOf(EditAA), UserDecimalSeparator());
}

void DiskTool::CboADKeyPress(wchar_t& key) { key = 0; }

void DiskTool::ChkSAlertClick() {
  if (IsButtonChecked(ChkSAlert)) {
    const wchar_t separator = UserDecimalSeparator();
    const std::optional<wchar_t> drive = CboAD.Chosen();
    switch (DecideArming(WindowTextOf(EditAA), drive ? DriveText(*drive) : L"", separator)) {
      case ArmingDecision::Arm:
        ArmAlert();
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
  EnableWindow(CboAD.Handle(), TRUE);
  host_.ArmedStateChanged();
}

void DiskTool::ArmAlert() {
  alertRepeat_.Reset();
  Ajastin3.SetEnabled(true);
  EnableWindow(EditAA, FALSE);
  EnableWindow(CboAD.Handle(), FALSE);
  host_.ArmedStateChanged();
}

std::optional<std::wstring> DiskTool::ArmedLine() const {
  const std::optional<wchar_t> drive = CboAD.Chosen();
  if (!Ajastin3.Enabled() || !drive) return std::nullopt;
  return LowSpaceArmedLine(*drive, WindowTextOf(EditAA));
}

void DiskTool::Ajastin3Timer() {
  const std::wstring thresholdText = WindowTextOf(EditAA);
  const auto threshold = ParseThreshold(thresholdText, UserDecimalSeparator());
  const std::optional<wchar_t> drive = CboAD.Chosen();
  // Arming refuses such a text or no drive, and the edit and the box are locked while armed.
  if (!threshold || !drive) return;
  const long double free = ToGibibytes(QueryDriveSpace(RootOfDriveNumber(DriveNumber(*drive))).freeToCaller);
  if (alertRepeat_.Check(SteadyMilliseconds(), IsBelowThreshold(free, *threshold)))
    host_.ShowTrayBalloon(LowSpaceNotice(*drive, thresholdText), L"Hard Disk Drive Space Alert");
}
