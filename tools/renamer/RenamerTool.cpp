// "File Renamer" page: the ordered list of files, the pattern and the run that renames them.
#include "tools/renamer/RenamerTool.h"

#include "platform/Boxes.h"
#include "platform/Dpi.h"
#include "platform/Files.h"
#include "platform/Fonts.h"
#include "tools/renamer/RenamePattern.h"
#include "tools/renamer/RenamerSettings.h"
#include "utilities/FileNames.h"

namespace {
constexpr wchar_t kBalloonTitle[] = L"QVR";
}  // namespace

RenamerTool::RenamerTool(ToolHost& host) : Tool(host) {
  Avaaja2.title = L"Select files";
  Avaaja2.filter = L"Any file (*.*)|*.*";
  Avaaja2.defaultExtension = L".*";
  Avaaja2.multiSelect = true;
}

void RenamerTool::CreateControls(Page& page) {
  const HFONT font = host_.Fonts().normal.Get();
  const HWND SH7 = PageHandle();
  titleFont_ = MakeFont({L"Tahoma", 16}, WindowDpi(PageHandle()));
  Lbl20 = CreateLabel(SH7, L"Rename multiple files at once", {3, 3, 208, 19}, titleFont_.Get());
  BtnAddF = page.Bind(CreateSpeedButton(SH7, L"Add Files", {3, 36, 374, 22}, 0, font, L'A'),
                      OnClick([this] { BtnAddFClick(); }));
  LstRen = page.Bind(CreateOrderedFileListBox(SH7, {5, 66, 370, 276}, font, 0), OnSelect([this] { LstRenClick(); }));
  SetAccessibleName(LstRen, L"Files to rename");
  page.AddBevel({3, 64, 374, 280}, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);  // the list's flat bevel, a space inside
  BtnRem1 = page.Bind(CreateSpeedButton(SH7, L"Remove selected", {383, 106, 202, 22}, 0, font, L'R'),
                      OnClick([this] { BtnRem1Click(); }));
  BtnMU = page.Bind(CreateSpeedButton(SH7, L"Move Up", {383, 176, 202, 22}, 0, font, L'U'),
                    OnClick([this] { BtnMUClick(); }));
  BtnMD = page.Bind(CreateSpeedButton(SH7, L"Move Down", {384, 208, 201, 22}, 0, font, L'D'),
                    OnClick([this] { BtnMDClick(); }));
  // The pattern comes before the check box in the tab order.
  Lbl13 = CreateLabel(SH7, L"Rename selected files ( * = automatic number ):", {3, 350, 231, 13}, font);
  EditRen = page.Bind(
      CreateChild(SH7, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, {3, 364, 374, 21}, 0, font, WS_EX_CLIENTEDGE),
      OnChange([this] { EditRenChange(); }).OnKeyDown([this](WORD key) { EditRenKeyDown(key); }));
  AddHint(EditRen, L"For example \"C:\\picture*.jpg\"");
  ChkCopy = page.Bind(CreateChild(SH7, L"BUTTON", L"&Keep copy of the original files", WS_TABSTOP | BS_AUTOCHECKBOX,
                                  {384, 344, 161, 17}, 0, font),
                      OnClick([this] { host_.SettingsChanged(); }));
  BtnConv = page.Bind(CreateSpeedButton(SH7, L"Convert!", {383, 363, 202, 22}, 0, font, L'C'),
                      OnClick([this] { BtnConvClick(); }));
  for (HWND button : {BtnRem1, BtnMU, BtnMD, BtnConv}) EnableWindow(button, FALSE);
  files_.Show(LstRen, BtnRem1, BtnMU, BtnMD);
}

std::wstring RenamerTool::Pattern() const { return WindowTextOf(EditRen); }

// Setting the text reports a change, which applies the rule of "Convert!".
void RenamerTool::SetPattern(const std::wstring& pattern) { SetWindowTextW(EditRen, pattern.c_str()); }

void RenamerTool::ApplyConvertRule() { EnableWindow(BtnConv, files_.Count() > 0 && !Pattern().empty()); }

void RenamerTool::BtnAddFClick() {
  const bool wasEmpty = files_.Count() == 0;
  if (files_.AddFrom(Avaaja2, host_.Window()) && wasEmpty && files_.Count() > 0)
    SetPattern(FolderPart(files_.Entries().front()));
  ApplyConvertRule();
}

void RenamerTool::LstRenClick() { files_.SelectionChanged(); }

void RenamerTool::BtnRem1Click() {
  files_.RemoveSelected();
  ApplyConvertRule();
  if (files_.Count() == 0) SetPattern(L"");
}

void RenamerTool::BtnMUClick() { files_.MoveCurrent(-1); }

void RenamerTool::BtnMDClick() { files_.MoveCurrent(+1); }

void RenamerTool::EditRenChange() {
  ApplyConvertRule();
  host_.SettingsChanged();
}

void RenamerTool::StoreSettings(SettingsFile& file) const {
  WriteRenamerSettings({Pattern(), IsButtonChecked(ChkCopy)}, file);
}

void RenamerTool::RestoreSettings(const SettingsFile& file) {
  const RenamerSettings settings = ReadRenamerSettings(file);
  if (settings.pattern) SetPattern(*settings.pattern);
  if (settings.keepCopy) SetButtonChecked(ChkCopy, *settings.keepCopy);
}

void RenamerTool::EditRenKeyDown(WORD key) {
  if (key == VK_RETURN && IsWindowEnabled(BtnConv)) BtnConvClick();
}

void RenamerTool::BtnConvClick() {
  const std::wstring pattern = Pattern();
  if (pattern.empty()) return;
  if (const auto problem = PatternProblem(pattern, FolderExists)) {
    ShowNotice(host_.Window(), *problem);
    return;
  }
  if (!Confirm(host_.Window(), L"Are you sure?")) return;
  const int total = files_.Count();
  ReportRun(RenameAll(pattern, IsButtonChecked(ChkCopy)), total);
}

std::vector<std::wstring> RenamerTool::RenameAll(const std::wstring& pattern, bool keepCopy) {
  std::vector<std::wstring> failed;
  const std::vector<std::wstring> entries = files_.Entries();
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::wstring target =
        NumberedPath(pattern, RunNumber(static_cast<int>(i), static_cast<int>(entries.size()), {}));
    const bool accepted =
        keepCopy ? CopyFileWithoutReplacing(entries[i], target) : MoveFileWithoutReplacing(entries[i], target);
    if (!accepted || !IsDiskFile(target)) failed.push_back(entries[i]);  // a device may take the name and the bytes
  }
  return failed;
}

// Entries that could not be renamed stay in the list with the pattern, so the user sees them and can
// try again; a run in which all went well empties both.
void RenamerTool::ReportRun(const std::vector<std::wstring>& failed, int total) {
  files_.SetEntries(failed);
  if (!failed.empty()) {
    ApplyConvertRule();
    host_.ShowTrayBalloon(PartlyRenamedText(total - static_cast<int>(failed.size()), total), kBalloonTitle);
    return;
  }
  SetPattern(L"");
  host_.ShowTrayBalloon(L"Files renamed!", kBalloonTitle);
}
