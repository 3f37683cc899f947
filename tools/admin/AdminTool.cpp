// "PC Administrating" page: running processes with the user's trusted marks, system figures, and the
// web look-up of a process.
#include "tools/admin/AdminTool.h"

#include <algorithm>

#include "platform/Dpi.h"
#include "platform/Fonts.h"
#include "platform/Processes.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/TextFiles.h"
#include "tools/admin/ProcessNames.h"
#include "tools/admin/SystemInfo.h"
#include "ui/CheckListBox.h"
#include "utilities/DataFiles.h"
#include "utilities/ErrorText.h"

namespace {

MemoryFigures ToMemoryFigures(const MEMORYSTATUSEX& status) {
  return MemoryFigures{static_cast<std::uint32_t>(status.dwMemoryLoad), status.ullTotalPhys, status.ullAvailPhys,
                       status.ullTotalPageFile, status.ullAvailPageFile};
}

}  // namespace

AdminTool::AdminTool(ToolHost& host) : Tool(host) {}

void AdminTool::CreateControls(Page& page) {
  const HFONT font = host_.Fonts().normal.Get();
  const HWND SH9 = PageHandle();
  infoFont_ = MakeFont({L"Tahoma", 13}, WindowDpi(PageHandle()));
  page.AddBevel({3, 3, 262, 166}, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT | BF_SOFT);  // LstInfo's own bevel
  LstInfo = page.Bind(
      CreateChild(SH9, L"LISTBOX", L"", WS_TABSTOP | LBS_NOINTEGRALHEIGHT, {5, 5, 258, 162}, 0, infoFont_.Get()),
      OnColour([](HDC dc) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return GetSysColorBrush(COLOR_BTNFACE);
      }));
  SetItemHeight(LstInfo, LB_SETITEMHEIGHT, 16);
  SetAccessibleName(LstInfo, L"System information");
  Lbl16 = CreateLabel(SH9, L"Running processes:", {3, 175, 94, 13}, font);
  LstProc = page.Bind(CreateCheckListBox(SH9, {3, 194, 262, 191}, 0, font, 13),
                      OnSelect([this] { LstProcClick(); }).OnMarkChange([this] { LstProcClickCheck(); }));
  SetAccessibleName(LstProc, WindowTextOf(Lbl16));
  page.AddBevel({271, 3, 314, 166}, EDGE_ETCHED, BF_RECT);    // Bevel4
  page.AddBevel({271, 194, 314, 191}, EDGE_ETCHED, BF_RECT);  // Bevel5
  Lbl23 = CreateLabel(SH9, L"Problems with Internet connection?", {344, 64, 169, 13}, font);
  BtnFI = page.Bind(CreateSpeedButton(SH9, L"Quoxel can try to fix it", {343, 83, 170, 30}, 0, font, L'F'),
                    OnClick([this] { BtnFIClick(); }));
  BtnGInf = page.Bind(
      CreateSpeedButton(SH9, L"Info of the Selected Process (Opens Web Browser)", {285, 265, 289, 25}, 0, font, L'I'),
      OnClick([this] { BtnGInfClick(); }));
  EnableWindow(BtnGInf, FALSE);
  Lbl17 = CreateWrappedLabel(SH9,
                             L"Automatically checked processes are generally thought to be safe. Mark applications "
                             L"that are safe to your knowledge. This allows you to easily look for suspicious "
                             L"processes.",
                             {285, 296, 287, 39}, font);
}

std::wstring AdminTool::TrustedFilePath() const { return DataFile(host_.AppDir(), L"trusted.txt"); }

std::vector<std::wstring> AdminTool::LoadTrustedList() const {
  const std::wstring path = TrustedFilePath();
  return FileExists(path) ? ReadTextListFile(path) : std::vector<std::wstring>();
}

std::vector<std::wstring> AdminTool::LoadTrustedListForChange() const {
  const std::wstring path = TrustedFilePath();
  if (!FileExists(path)) return {};
  bool exact = true;
  std::vector<std::wstring> names = ReadTextListFile(path, &exact);
  if (!exact) throw AppError(CannotChangeListFileMessage(path));
  return names;
}

void AdminTool::RefreshAdminTab() {
  SendMessageW(LstInfo, LB_RESETCONTENT, 0, 0);
  SendMessageW(LstProc, LB_RESETCONTENT, 0, 0);
  EnableWindow(BtnGInf, FALSE);
  const std::vector<std::wstring> trusted = LoadTrustedList();
  std::vector<std::wstring> names = RunningProcessNames();
  const auto unlisted = [](const std::wstring& name) { return !IsListedProcessName(name); };
  names.erase(std::remove_if(names.begin(), names.end(), unlisted), names.end());
  AddCheckListItems(LstProc, names,
                    [&trusted](const std::wstring& name) { return ContainsName(trusted, name, EqualIgnoringCase); });

  AddListBoxItems(LstInfo,
                  SystemInfoLines(ToMemoryFigures(MemoryStatus()), EstimateCpuClock(), UserDecimalSeparator()));
}

void AdminTool::LstProcClickCheck() {
  const LRESULT selected = SendMessageW(LstProc, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  const int index = static_cast<int>(selected);
  const std::wstring name = ListBoxText(LstProc, index);
  const bool marked = IsItemChecked(LstProc, index);
  try {
    std::vector<std::wstring> trusted = LoadTrustedListForChange();
    if (marked)
      AddName(trusted, name, EqualIgnoringCase);
    else
      RemoveName(trusted, name, EqualIgnoringCase);
    WriteTextListFile(TrustedFilePath(), trusted);
  } catch (const AppError&) {
    SetItemChecked(LstProc, index, !marked);  // the file is as it was: so is the mark
    throw;
  }
}

void AdminTool::LstProcClick() {
  const bool anySelected =
      SendMessageW(LstProc, LB_GETCOUNT, 0, 0) > 0 && SendMessageW(LstProc, LB_GETCURSEL, 0, 0) != LB_ERR;
  EnableWindow(BtnGInf, anySelected);
}

double AdminTool::EstimateCpuClock() { return ClockFromTicks(CountTicksOverHalfASecond()); }

void AdminTool::BtnGInfClick() {
  const LRESULT selected = SendMessageW(LstProc, LB_GETCURSEL, 0, 0);
  if (SendMessageW(LstProc, LB_GETCOUNT, 0, 0) == 0 || selected == LB_ERR) return;
  OpenInBrowser(ProcessInfoAddress(ListBoxText(LstProc, static_cast<int>(selected))));
}
