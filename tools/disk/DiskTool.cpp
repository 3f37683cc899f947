// "Hard Disk Drives" page: its controls, the list of fixed drives and the selected drive's details, and
// the values of the page that are remembered between runs.
#include "tools/disk/DiskTool.h"

#include <commctrl.h>

#include "platform/Dpi.h"
#include "platform/Drives.h"
#include "platform/Fonts.h"
#include "platform/System.h"
#include "tools/disk/AlertRules.h"
#include "tools/disk/DiskSettings.h"
#include "tools/disk/DriveFigures.h"
#include "utilities/LargestFiles.h"

namespace {

constexpr COLORREF kCream = RGB(255, 251, 240);
constexpr COLORREF kMoneyGreen = RGB(192, 220, 192);
constexpr int kDriveListTabStop = 30;  // dialog units

}  // namespace

DiskTool::DiskTool(ToolHost& host) : Tool(host) {}

void DiskTool::CreateControls(Page& page) {
  const HFONT font = host_.Fonts().normal.Get();
  drivesFont_ = MakeFont({L"Lucida Sans", 16, FW_NORMAL, false, false, ANSI_CHARSET}, WindowDpi(PageHandle()));
  creamBrush_.Reset(CreateSolidBrush(kCream));
  Lbl11 = CreateLabel(PageHandle(), L"Click to select:", {3, 3, 69, 13}, font);
  LstKovot = page.Bind(CreateChild(PageHandle(), L"LISTBOX", L"",
                                   WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT,
                                   {3, 19, 278, 142}, 0, drivesFont_.Get()),
                       OnSelect([this] { LstKovotClick(); }).OnColour([this](HDC dc) {
                         SetTextColor(dc, ShownColour(kTextOnOwnColour, COLOR_WINDOWTEXT));
                         return ShownBrush(creamBrush_.Get());
                       }));
  SetAccessibleName(LstKovot, WindowTextOf(Lbl11));
  SetItemHeight(LstKovot, LB_SETITEMHEIGHT, 18);
  int tabStop = kDriveListTabStop;
  SendMessageW(LstKovot, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  CreateDriveDetails();
  CreateSearchControls();
  page.AddBevel({3, 351, 320, 36}, BDR_SUNKENOUTER, BF_RECT);  // Bevel3
  CreateAlertRow();
}

void DiskTool::CreateDriveDetails() {
  const HFONT font = host_.Fonts().normal.Get();
  panelKovo_ = std::make_unique<Page>(PageHandle(), Bounds{287, 19, 298, 84}, kMoneyGreen);
  PnlKovo = panelKovo_->Handle();
  LblFreeS = CreateLabel(PnlKovo, L"Free Space:", {8, 8, 58, 13}, font);
  LblSpaceU = CreateLabel(PnlKovo, L"Space Used:", {8, 27, 60, 13}, font);
  LblKovoK = CreateLabel(PnlKovo, L"Size of the fixed drive:", {8, 46, 109, 13}, font);
  LblDS = CreateLabel(PnlKovo, L"Disk Serial Number:", {8, 64, 92, 13}, font);
}

void DiskTool::FillDriveList() {
  SendMessageW(LstKovot, LB_RESETCONTENT, 0, 0);
  for (wchar_t letter : FixedDriveLetters()) {
    const std::wstring item = std::wstring(1, letter) + L"\tFixed Drive";
    SendMessageW(LstKovot, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  FillAlertDrives();
}

wchar_t DiskTool::SelectedDriveLetter() const {
  const LRESULT selected = SendMessageW(LstKovot, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return L'c';
  const std::wstring item = ListBoxText(LstKovot, static_cast<int>(selected));
  return item.empty() ? L'c' : item[0];
}

void DiskTool::LstKovotClick() {
  ShowWindow(LstLargest, SW_HIDE);
  ShowWindow(Anim1, SW_HIDE);
  ShowWindow(LblSearching, SW_HIDE);
  const wchar_t letter = SelectedDriveLetter();
  if (SendMessageW(LstKovot, LB_GETCURSEL, 0, 0) != LB_ERR) EnableWindow(BtnKovoIsoimmat, TRUE);
  const DriveSpace space = QueryDriveSpace(RootOfDriveNumber(DriveNumber(letter)));
  const long double free = ToGibibytes(space.freeToCaller), total = ToGibibytes(space.total);
  const wchar_t separator = UserDecimalSeparator();
  SetLabelText(LblFreeS, FreeSpaceText(free, total, separator));
  SetLabelText(LblSpaceU, SpaceUsedText(free, total, separator));
  SetLabelText(LblKovoK, DriveSizeText(total, separator));
  SetLabelText(LblDS, L"Disk Serial Number: " + GetVolumeSerial(std::wstring(1, letter) + L":"));
}

std::wstring DiskTool::GetVolumeSerial(const std::wstring& driveText) {
  const auto serial = VolumeSerialNumber(driveText + L"\\");
  return serial ? VolumeSerialText(*serial) : std::wstring();
}

void DiskTool::StoreSettings(SettingsFile& file) const {
  DiskSettings settings;
  if (const std::optional<wchar_t> drive = CboAD.Chosen()) settings.alertDrive = *drive;
  settings.alertThreshold = WindowTextOf(EditAA);
  settings.alertArmed = Ajastin3.Enabled();
  const LRESULT count = SendMessageW(Cbo_SC, CB_GETCURSEL, 0, 0);
  if (count != CB_ERR) settings.largestFilesCount = static_cast<int>(count) + kFewestLargestFiles;
  WriteDiskSettings(settings, file);
}

// Armed again only on the drive it watched, while that is still a fixed drive, with a threshold the
// arming takes; otherwise the box stays unticked, without a word: nobody asked for it just now.
void DiskTool::RestoreSettings(const SettingsFile& file) {
  const DiskSettings settings = ReadDiskSettings(file);
  const bool onRememberedDrive = !settings.alertDrive || CboAD.Choose(*settings.alertDrive);
  if (settings.alertThreshold) SetWindowTextW(EditAA, TrimmedThreshold(*settings.alertThreshold).c_str());
  if (settings.largestFilesCount)
    SendMessageW(Cbo_SC, CB_SETCURSEL, *settings.largestFilesCount - kFewestLargestFiles, 0);
  const std::optional<wchar_t> drive = CboAD.Chosen();
  if (settings.alertArmed.value_or(false) && onRememberedDrive && drive &&
      DecideArming(WindowTextOf(EditAA), DriveText(*drive), UserDecimalSeparator()) == ArmingDecision::Arm) {
    SetButtonChecked(ChkSAlert, true);
    ArmAlert();
  }
}
