// "File Renamer" page: the ordered list of files with each one's new name, the pattern and its
// numbers, the run that renames them and its undo.
#include "tools/renamer/RenamerTool.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <numeric>

#include "platform/Boxes.h"
#include "platform/Clock.h"
#include "platform/Dpi.h"
#include "platform/DroppedFiles.h"
#include "platform/Files.h"
#include "platform/Fonts.h"
#include "platform/Shell.h"
#include "platform/TextFiles.h"
#include "tools/renamer/ExifDate.h"
#include "tools/renamer/RenameRun.h"
#include "tools/renamer/RenamerSettings.h"
#include "ui/AnswerWhileWorking.h"
#include "ui/RightColumnList.h"
#include "ui/WaitCursor.h"
#include "utilities/DataFiles.h"
#include "utilities/FileNames.h"
#include "utilities/NameOrder.h"

namespace {

constexpr wchar_t kBalloonTitle[] = L"QVR";
constexpr wchar_t kConvertCaption[] = L"Convert!";
constexpr wchar_t kUndoRecordName[] = L"renamer-undo.txt";
constexpr DWORD kRunProgressIntervalMs = 100;

std::optional<FileStamp> StampOf(const std::wstring& path) {
  const std::optional<FileSizeAndTime> found = SizeAndWriteTime(path);
  if (!found) return std::nullopt;
  return FileStamp{found->size, found->writeTime};
}

// Never replaces a file. A device may take the new name and swallow the bytes: only a file found on
// a disk under the new name afterwards counts as renamed.
std::optional<FileStamp> RenameOneFile(const UndoEntry& entry, bool keepCopy) {
  const bool accepted = keepCopy ? CopyFileWithoutReplacing(entry.oldPath, entry.newPath)
                                 : MoveFileWithoutReplacing(entry.oldPath, entry.newPath);
  if (!accepted || !IsDiskFile(entry.newPath)) return std::nullopt;
  return StampOf(entry.newPath);
}

bool IsTaken(const std::wstring& path) { return !IsPathAbsent(path); }

// Files that cannot be read sort after all others.
constexpr std::int64_t kUnknownDate = std::numeric_limits<std::int64_t>::max();

std::int64_t DateModifiedKey(const std::wstring& path) {
  const std::optional<FileSizeAndTime> found = SizeAndWriteTime(path);
  return found ? LocalMilliseconds(LocalTimeOfFileTime(found->writeTime)) : kUnknownDate;
}

// The camera's date is a local time, as the date modified is once shown in the local zone.
std::int64_t DateTakenKey(const std::wstring& path) {
  const std::string head = FileHead(path, kExifHeadLimit);
  const std::optional<PhotoDate> taken =
      ExifDateTaken(reinterpret_cast<const std::uint8_t*>(head.data()), head.size());
  if (!taken) return DateModifiedKey(path);
  return LocalMilliseconds({taken->year, taken->month, taken->day, taken->hour, taken->minute, taken->second, 0});
}

std::wstring RenamingCaption(std::size_t done, std::size_t total) {
  return L"Renaming... " + std::to_wstring(done) + L" of " + std::to_wstring(total);
}

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
  LstRen = page.Bind(CreateOrderedFileListBox(SH7, {5, 66, 370, 276}, font, 0, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS),
                     OnSelect([this] { LstRenClick(); })
                         .OnDrawItem([this](const DRAWITEMSTRUCT& item) { DrawRow(item); })
                         .OnContextMenu([this](POINT at) { ShowPopupMenu(PopRen.Get(), PageHandle(), at); })
                         .OnDropFiles([this](const std::vector<std::wstring>& paths) { LstRenDropFiles(paths); }));
  // A screen reader hears each file's new name as its description.
  SetAccessibleName(LstRen, L"Files to rename", [this](int row) { return PreviewOf(row); });
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
                      OnClick([this] { OptionChange(); }));  // a copy leaves each source's name taken
  BtnConv = page.Bind(CreateSpeedButton(SH7, kConvertCaption, {383, 363, 202, 22}, 0, font, L'C'),
                      OnClick([this] { BtnConvClick(); }));
  CreateNumberingControls(page, font);
  BtnUndo = page.Bind(CreateSpeedButton(SH7, L"Undo last rename", {383, 300, 202, 22}, 0, font, L'L'),
                      OnClick([this] { BtnUndoClick(); }));
  CreateListMenu(page);
  for (HWND button : {BtnRem1, BtnMU, BtnMD, BtnConv}) EnableWindow(button, FALSE);
  UndoRecordChanged(IsTaken(UndoRecordPath()));
  files_.Show(LstRen, BtnRem1, BtnMU, BtnMD);
}

// In the free space between the move buttons and the pattern.
void RenamerTool::CreateNumberingControls(Page& page, HFONT font) {
  const HWND SH7 = PageHandle();
  LblStart = CreateLabel(SH7, L"Start at", {383, 244, 40, 13}, font);
  EditStart = page.Bind(CreateChild(SH7, L"EDIT", L"1", WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, {427, 240, 60, 21}, 0,
                                    font, WS_EX_CLIENTEDGE),
                        OnChange([this] { OptionChange(); }));
  SendMessageW(EditStart, EM_LIMITTEXT, kStartDigits, 0);
  KeepRightOf(EditStart, LblStart, 4);
  ChkWidth = page.Bind(CreateChild(SH7, L"BUTTON", L"Same &width (01, 02, \u2026)", WS_TABSTOP | BS_AUTOCHECKBOX,
                                   {383, 268, 202, 17}, 0, font),
                       OnClick([this] { OptionChange(); }));
}

void RenamerTool::CreateListMenu(Page& page) {
  PopRen.Reset(CreatePopupMenu());
  AppendMenuW(PopRen.Get(), MF_STRING, kCmdSortByName, L"Sort by &name");
  page.BindMenuCommand(kCmdSortByName, [this] { SortByNameClick(); });
  AppendMenuW(PopRen.Get(), MF_STRING, kCmdSortByDateModified, L"Sort by date &modified");
  page.BindMenuCommand(kCmdSortByDateModified, [this] { SortByDateModifiedClick(); });
  AppendMenuW(PopRen.Get(), MF_STRING, kCmdSortByDateTaken, L"Sort by date &taken");
  page.BindMenuCommand(kCmdSortByDateTaken, [this] { SortByDateTakenClick(); });
}

std::wstring RenamerTool::Pattern() const { return WindowTextOf(EditRen); }

// Setting the text reports a change, which applies the rule of "Convert!".
void RenamerTool::SetPattern(const std::wstring& pattern) { SetWindowTextW(EditRen, pattern.c_str()); }

std::optional<NumberStyle> RenamerTool::Numbering() const {
  const std::optional<int> start = ParseStartNumber(WindowTextOf(EditStart));
  if (!start) return std::nullopt;
  return NumberStyle{*start, IsButtonChecked(ChkWidth)};
}

void RenamerTool::SetNumbering(NumberStyle style) {
  SetWindowTextW(EditStart, std::to_wstring(style.start).c_str());
  SetButtonChecked(ChkWidth, style.sameWidth);
  RefreshPreview();
}

void RenamerTool::ApplyConvertRule() { EnableWindow(BtnConv, files_.Count() > 0 && !Pattern().empty()); }

void RenamerTool::AddFiles(const std::vector<std::wstring>& paths) {
  const bool wasEmpty = files_.Count() == 0;
  files_.Add(paths);
  if (wasEmpty && files_.Count() > 0) SetPattern(FolderPart(files_.Entries().front()));
  ApplyConvertRule();
  RefreshPreview();
}

void RenamerTool::BtnAddFClick() {
  if (busy_) return;
  if (Avaaja2.Execute(host_.Window()))
    AddFiles(Avaaja2.files);
  else
    ApplyConvertRule();  // a cancelled dialog applies the rule all the same
}

void RenamerTool::LstRenDropFiles(const std::vector<std::wstring>& paths) {
  if (!busy_) AddFiles(FilesOfDrop(paths));
}

void RenamerTool::LstRenClick() { files_.SelectionChanged(); }

void RenamerTool::BtnRem1Click() {
  if (busy_) return;
  files_.RemoveSelected();
  ApplyConvertRule();
  if (files_.Count() == 0) SetPattern(L"");
  RefreshPreview();
}

void RenamerTool::BtnMUClick() {
  if (busy_) return;
  files_.MoveCurrent(-1);
  RefreshPreview();
}

void RenamerTool::BtnMDClick() {
  if (busy_) return;
  files_.MoveCurrent(+1);
  RefreshPreview();
}

void RenamerTool::EditRenChange() {
  ApplyConvertRule();
  RefreshPreview();
  host_.SettingsChanged();
}

void RenamerTool::OptionChange() {
  RefreshPreview();
  host_.SettingsChanged();
}

void RenamerTool::EditRenKeyDown(WORD key) {
  if (key == VK_RETURN && IsWindowEnabled(BtnConv)) BtnConvClick();
}

void RenamerTool::StoreSettings(SettingsFile& file) const {
  WriteRenamerSettings({Pattern(), IsButtonChecked(ChkCopy), ParseStartNumber(WindowTextOf(EditStart)),
                        IsButtonChecked(ChkWidth)},
                       file);
}

void RenamerTool::RestoreSettings(const SettingsFile& file) {
  const RenamerSettings settings = ReadRenamerSettings(file);
  if (settings.pattern) SetPattern(*settings.pattern);
  if (settings.keepCopy) SetButtonChecked(ChkCopy, *settings.keepCopy);
  if (settings.startAt) SetWindowTextW(EditStart, std::to_wstring(*settings.startAt).c_str());
  if (settings.sameWidth) SetButtonChecked(ChkWidth, *settings.sameWidth);
  RefreshPreview();
}

// Sorting

template <typename KeyOf>
void RenamerTool::SortBy(KeyOf keyOf) {
  if (busy_) return;
  const WaitCursor hourglass;  // a sort by date taken reads the start of every file
  const std::vector<std::wstring> entries = files_.Entries();
  std::vector<decltype(keyOf(std::wstring()))> keys;
  for (const std::wstring& entry : entries) keys.push_back(keyOf(entry));
  std::vector<std::size_t> order(entries.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  std::vector<std::wstring> sorted;
  for (std::size_t at : order) sorted.push_back(entries[at]);
  files_.SetEntries(sorted);
  RefreshPreview();
}

namespace {
// A path compared in Explorer's order of names.
struct NameKey {
  std::wstring path;
  friend bool operator<(const NameKey& a, const NameKey& b) { return FileNameOrderLess(a.path, b.path); }
};
}  // namespace

void RenamerTool::SortByNameClick() {
  SortBy([](const std::wstring& path) { return NameKey{path}; });
}

void RenamerTool::SortByDateModifiedClick() { SortBy(DateModifiedKey); }

void RenamerTool::SortByDateTakenClick() { SortBy(DateTakenKey); }

// The preview

void RenamerTool::RefreshPreview() {
  if (!LstRen) return;
  preview_.clear();
  const std::wstring pattern = Pattern();
  const std::optional<NumberStyle> style = Numbering();
  const std::vector<std::wstring> entries = files_.Entries();
  const int count = static_cast<int>(entries.size());
  if (style && count > 0 && !PatternProblem(pattern, FolderExists, *style, count))
    preview_ = PreviewRun(entries, pattern, *style, IsButtonChecked(ChkCopy), IsTaken);
  std::vector<std::wstring> texts;
  for (const PreviewRow& row : preview_) texts.push_back(PreviewText(row));
  previewWidth_ = WidestTextWidth(reinterpret_cast<HFONT>(SendMessageW(LstRen, WM_GETFONT, 0, 0)), texts);
  InvalidateRect(LstRen, nullptr, TRUE);
}

std::wstring RenamerTool::PreviewOf(int row) const {
  if (row < 0 || row >= static_cast<int>(preview_.size())) return L"";
  return PreviewText(preview_[static_cast<std::size_t>(row)]);
}

// A row whose file keeps its name is drawn in the system's grey text, which high contrast keeps readable.
void RenamerTool::DrawRow(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const int row = static_cast<int>(item.itemID);
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(item.hDC, TRANSPARENT);
  const COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  SetTextColor(item.hDC, text);
  DrawTextAndFigure(LstRen, item.hDC, item.rcItem, ListBoxText(LstRen, row), L"", previewWidth_);
  const bool marked = row < static_cast<int>(preview_.size()) &&
                      preview_[static_cast<std::size_t>(row)].mark != PreviewMark::None;
  SetTextColor(item.hDC, marked && !selected ? GetSysColor(COLOR_GRAYTEXT) : text);
  DrawTextAndFigure(LstRen, item.hDC, item.rcItem, L"", PreviewOf(row), previewWidth_);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

// The run

void RenamerTool::BtnConvClick() {
  if (busy_) return;
  const std::wstring pattern = Pattern();
  if (pattern.empty()) return;
  const std::optional<NumberStyle> style = Numbering();
  if (const auto problem = PatternProblem(pattern, FolderExists, style.value_or(NumberStyle{}), files_.Count())) {
    ShowNotice(host_.Window(), *problem);
    return;
  }
  if (!style) {
    ShowNotice(host_.Window(), kStartProblem);
    return;
  }
  if (!Confirm(host_.Window(), L"Are you sure?")) return;
  const RunningFlag running(busy_);
  const LongWork longWork(host_);  // closing the window meanwhile stops the run after the file at hand
  const UndoRecord planned = PlanRun(pattern, *style);
  SaveUndoRecord(planned);  // before the first file is touched: a crash from here on can be undone
  ReportRun(RenameWhileAnswering(planned));
}

UndoRecord RenamerTool::PlanRun(const std::wstring& pattern, NumberStyle style) const {
  UndoRecord record{pattern, IsButtonChecked(ChkCopy), style, {}};
  const std::vector<std::wstring> entries = files_.Entries();
  const int count = static_cast<int>(entries.size());
  for (int i = 0; i < count; ++i) {
    UndoEntry entry;
    entry.oldPath = entries[static_cast<std::size_t>(i)];
    entry.newPath = NumberedPath(pattern, RunNumber(i, count, style));
    entry.stamp = StampOf(entry.oldPath).value_or(FileStamp{});
    entry.newPathWasFree = IsPathAbsent(entry.newPath);
    record.entries.push_back(std::move(entry));
  }
  return record;
}

// The record is written again at each progress step that saw files done, so that after a crash at
// most the files of the last 100 ms are known only by what lies at their paths.
UndoRecord RenamerTool::RenameWhileAnswering(UndoRecord record) {
  struct CaptionBack {
    HWND button;
    ~CaptionBack() { SetWindowTextW(button, kConvertCaption); }
  } captionBack{BtnConv};
  RenameRun run(std::move(record), RenameOneFile);
  std::size_t saved = 0;
  AnswerUntilEnded(host_, run, kRunProgressIntervalMs, [&] {
    SetWindowTextW(BtnConv, RenamingCaption(run.Done(), run.Total()).c_str());
    if (run.Done() == saved) return;
    saved = run.Done();
    SaveUndoRecord(run.Record());
  });
  return run.Record();
}

// Entries that could not be renamed stay in the list with the pattern, so the user sees them and can
// try again; a run in which all went well empties both.
void RenamerTool::ReportRun(const UndoRecord& run) {
  std::vector<std::wstring> left;
  for (const UndoEntry& entry : run.entries)
    if (entry.state != EntryState::Done) left.push_back(entry.oldPath);
  const int total = static_cast<int>(run.entries.size()), renamed = total - static_cast<int>(left.size());
  if (renamed > 0)
    SaveUndoRecord(run);
  else
    DeleteFileIfThere(UndoRecordPath());
  UndoRecordChanged(renamed > 0);
  files_.SetEntries(left);
  RefreshPreview();
  if (!left.empty()) {
    ApplyConvertRule();
    host_.ShowTrayBalloon(PartlyRenamedText(renamed, total), kBalloonTitle);
    return;
  }
  SetPattern(L"");
  host_.ShowTrayBalloon(L"Files renamed!", kBalloonTitle);
}

std::wstring RenamerTool::UndoRecordPath() const { return DataFile(host_.AppDir(), kUndoRecordName); }

void RenamerTool::SaveUndoRecord(const UndoRecord& record) const {
  WriteTextListFile(UndoRecordPath(), UndoRecordLines(record), ListEncoding::Utf8WithMark);
}

void RenamerTool::UndoRecordChanged(bool kept) { EnableWindow(BtnUndo, kept); }

// The undo

// Works back from the last file. A file whose old name is taken again, or that the system refused to
// move, stays in the record for another try; one changed since the run or gone is left for good.
void RenamerTool::BtnUndoClick() {
  if (busy_) return;
  const WaitCursor hourglass;
  const UndoRecordReading reading = ReadUndoRecord(ReadTextListFile(UndoRecordPath()));
  if (!reading.record) {
    ShowNotice(host_.Window(), reading.problem);
    return;
  }
  UndoRecord record = *reading.record;
  UndoTally tally;
  std::vector<UndoEntry> kept;
  std::vector<std::wstring> putBack;
  for (auto entry = record.entries.rbegin(); entry != record.entries.rend(); ++entry) {
    const UndoStep step = DecideUndo(*entry, record.keepCopy, StampOf(entry->newPath), IsPathAbsent(entry->oldPath));
    bool done = false;
    switch (step) {
      case UndoStep::Nothing:
        continue;
      case UndoStep::MoveBack:
        done = MoveFileWithoutReplacing(entry->newPath, entry->oldPath);
        break;
      case UndoStep::DeleteCopy:
        done = DeleteFileIfThere(entry->newPath);
        break;
      case UndoStep::LeaveChanged:
        ++tally.changed;
        continue;
      case UndoStep::LeaveGone:
        ++tally.gone;
        continue;
      case UndoStep::LeaveTaken:
        ++tally.taken;
        kept.insert(kept.begin(), *entry);
        continue;
    }
    if (done) {
      ++tally.putBack;
      putBack.insert(putBack.begin(), entry->oldPath);
    } else {
      ++tally.failed;
      kept.insert(kept.begin(), *entry);
    }
  }
  record.entries = kept;
  if (kept.empty())
    DeleteFileIfThere(UndoRecordPath());
  else
    SaveUndoRecord(record);
  UndoRecordChanged(!kept.empty());
  if (!putBack.empty()) {
    files_.SetEntries(putBack);
    SetButtonChecked(ChkCopy, record.keepCopy);
    SetPattern(record.pattern);
    SetNumbering(record.numbers);
  }
  ShowNotice(host_.Window(), UndoReport(tally));
}
