// "Hard Disk Drives" page: the alert that warns while a drive has less free space than a threshold.
#include "ui/FrmMain.h"

#include <commctrl.h>

#include "platform/Boxes.h"
#include "platform/Drives.h"
#include "platform/System.h"
#include "tools/disk/AlertRules.h"
#include "tools/disk/DriveFigures.h"

namespace {

constexpr int kComboListHeight = 120;

}  // namespace

void TFrmMain::CreateAlertRow() {
  ChkSAlert = CreateChild(SH2, L"BUTTON", L"Alert if drive", WS_TABSTOP | BS_AUTOCHECKBOX, {8, 360, 80, 17},
                          kCmdChkSAlert, font_.Get());
  EditAA = CreateChild(SH2, L"EDIT", L"10.0", WS_TABSTOP | ES_AUTOHSCROLL, {251, 358, 46, 21}, 0, font_.Get(),
                       WS_EX_CLIENTEDGE);
  SetKeyFilter(EditAA, [this](wchar_t& key) { EditAAKeyPress(key); });
  CboAD = CreateChild(SH2, WC_COMBOBOXW, L"C:", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                      {94, 358, 51, 21 + kComboListHeight}, 0, font_.Get());
  SetWindowTextW(CboAD, L"C:");
  SendMessageW(CboAD, CB_SETITEMHEIGHT, 0, 13);
  SetKeyFilter(CboAD, [this](wchar_t& key) { CboADKeyPress(key); });
  Lbl21 = CreateLabel(SH2, L"has less space than", {151, 362, 94, 13}, font_.Get());
  Lbl22 = CreateLabel(SH2, L"GB", {303, 362, 13, 13}, font_.Get());
}

void TFrmMain::EditAAKeyPress(wchar_t& key) {
  key = FilterThresholdKey(key, WindowTextOf(EditAA), UserDecimalSeparator());
}

void TFrmMain::CboADKeyPress(wchar_t& key) { key = 0; }

void TFrmMain::SetAlertChecked(bool checked) {
  SendMessageW(ChkSAlert, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TFrmMain::ChkSAlertClick() {
  if (SendMessageW(ChkSAlert, BM_GETCHECK, 0, 0) == BST_CHECKED) {
    const wchar_t separator = UserDecimalSeparator();
    const std::wstring drive = WindowTextOf(CboAD);
    switch (DecideArming(WindowTextOf(EditAA), drive, separator)) {
      case ArmingDecision::Arm:
        AlertDrive = drive[0];
        Ajastin3.SetEnabled(true);
        EnableWindow(EditAA, FALSE);
        return;
      case ArmingDecision::UntickSilently:
        break;
      case ArmingDecision::RefuseNotANumber:
        ShowNotice(handle_, std::wstring(L"The alert needs a number of gigabytes, such as 10") + separator + L"0.");
        break;
      case ArmingDecision::RefuseNoDrive:
        ShowNotice(handle_, L"Choose the drive to watch first.");
        break;
    }
    SetAlertChecked(false);
  }
  Ajastin3.SetEnabled(false);
  EnableWindow(EditAA, TRUE);
}

void TFrmMain::Ajastin3Timer() {
  const std::wstring thresholdText = WindowTextOf(EditAA);
  const auto threshold = ParseThreshold(thresholdText, UserDecimalSeparator());
  if (!threshold) return;  // arming refuses such a text, and the edit is locked while armed
  const long double free = ToGibibytes(QueryDriveSpace(RootOfDriveNumber(DriveNumber(AlertDrive))).freeToCaller);
  if (IsBelowThreshold(free, *threshold))
    ShowTrayBalloon(LowSpaceNotice(AlertDrive, thresholdText), L"Hard Disk Drive Space Alert");
}
