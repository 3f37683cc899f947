// "Cleaner" page: temporary files, the browser caches and cookies of the current user.
#include "tools/cleaner/CleanerTool.h"

#include <shlobj.h>

#include <algorithm>
#include <thread>

#include "platform/Boxes.h"
#include "platform/Drives.h"
#include "platform/FileAccess.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "platform/UserFolders.h"
#include "ui/AnswerWhileWorking.h"
#include "ui/CheckListBox.h"
#include "utilities/FileNames.h"
#include "utilities/LargestFiles.h"

namespace {

constexpr wchar_t kSearchCaption[] = L"Search for unnecessary files";
constexpr wchar_t kFixCaption[] = L"Fix selected";
constexpr DWORD kSearchProgressIntervalMs = 250;
constexpr DWORD kFixProgressIntervalMs = 100;

// The system's part of the search. Opening a file is the search's cost and much of it is waiting for
// the system (under Wine, for its server): two checkers per core keep the cores busy.
const CleanerFileSystem& SystemFileSystem() {
  static const CleanerFileSystem fileSystem{
      [](const std::wstring& folder) -> std::optional<ResolvedFolder> {
        std::optional<FolderLocation> location = LocateFolder(folder);
        if (!location) return std::nullopt;
        return ResolvedFolder{std::move(location->path), location->volume};
      },
      [](const std::wstring& dir, const std::function<void(const CleanerListedEntry&)>& visit) {
        ForEachFolderEntry(PathForFileCalls(dir), [&](const FolderEntry& entry) {
          visit({entry.name, entry.attributes, entry.fileId, static_cast<std::uint64_t>(entry.size), entry.lastWrite});
        });
      },
      [](const std::wstring& path, const std::wstring& finalPath,
         const std::optional<FileIdentity>& listed) -> std::optional<FileIdentity> {
        const ExclusiveFile file(PathForFileCalls(path), ExclusiveFile::Purpose::Check);
        if (!file.IsOpen() || file.FinalPath() != finalPath) return std::nullopt;
        return listed ? listed : file.PlainFileIdentity();
      },
      RunWithoutFileSystemRedirection};
  return fileSystem;
}

std::uint64_t FileTimeNow() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return static_cast<std::uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
}

CleanerFolders CurrentUserFolders() {
  return {GetSpecialFolderPath(CSIDL_PROFILE), GetSpecialFolderPath(CSIDL_INTERNET_CACHE),
          GetSpecialFolderPath(CSIDL_COOKIES), GetSpecialFolderPath(CSIDL_LOCAL_APPDATA), GetTemporaryFolderPath()};
}

unsigned CheckerThreads() { return std::clamp(2 * std::thread::hardware_concurrency(), 4u, 8u); }

// A listed path may name something else since the search: a link put in its place or on its way,
// another file, a folder. Only the same file at the same place is deleted, through the handle that
// checked it.
FixOutcome FixFile(const CleanableFile& file) {
  const std::wstring path = PathForFileCalls(file.path);
  ExclusiveFile opened(path, ExclusiveFile::Purpose::Delete);
  if (!opened.IsOpen()) {
    if (!opened.WasRefused()) return FixOutcome::NotDeleted;  // gone
    // A folder refuses to open as a file; it is not what the search found there.
    return FolderExists(path) ? FixOutcome::Changed : FixOutcome::InUse;
  }
  if (opened.PlainFileIdentity() != file.identity || opened.FinalPath() != file.finalPath) return FixOutcome::Changed;
  return opened.Delete() ? FixOutcome::Deleted : FixOutcome::NotDeleted;
}

}  // namespace

CleanerTool::CleanerTool(ToolHost& host) : Tool(host) {}

void CleanerTool::CreateControls(Page& page) {
  const HFONT font = host_.Fonts().normal.Get();
  const HWND Sh3 = PageHandle();
  BtnETF = page.Bind(CreateSpeedButton(Sh3, kSearchCaption, {0, 3, 585, 22}, 0, font, L'S'),
                     OnClick([this] { BtnETFClick(); }));
  const HWND list = LstETF.Create(Sh3, {0, 31, 585, 326}, font, 13);
  // A screen reader hears each file's size as its description.
  SetAccessibleName(list, L"Unnecessary files", [list](int index) { return CheckListFigure(list, index); });
  BtnETFFix = page.Bind(CreateSpeedButton(Sh3, kFixCaption, {0, 363, 585, 22}, 0, font, L'F'),
                        OnClick([this] { BtnETFFixClick(); }));
  ClearList();
}

void CleanerTool::BtnETFClick() {
  // The search pumps messages: a press meanwhile must not start it again, nor a fix.
  if (busy_) return;
  const RunningFlag running(busy_);
  const LongWork longWork(host_);  // closing the window meanwhile takes effect once the list is filled

  ClearList();
  const wchar_t separator = UserDecimalSeparator();
  LstETF.SetItems(SearchWhileAnswering(CleanerScans(CurrentUserFolders(), FileTimeNow())),
                  [](const CleanableFile& file) { return file.path; },
                  [separator](const CleanableFile& file) {
                    return FileSizeText(static_cast<std::int64_t>(file.size), separator);
                  });
  EnableWindow(BtnETFFix, !LstETF.Empty());
  SetWindowTextW(BtnETF, kSearchCaption);
  if (LstETF.Empty() && !host_.EndRequested()) ShowNotice(host_.Window(), L"Nothing found! (a good thing)");
}

std::vector<CleanableFile> CleanerTool::SearchWhileAnswering(std::vector<ScanRequest> scans) {
  CleanerSearch search(SystemFileSystem(), std::move(scans), CheckerThreads());
  AnswerUntilEnded(host_, search, kSearchProgressIntervalMs, [&] {
    SetWindowTextW(BtnETF, (L"Searching... " + std::to_wstring(search.FoundCount()) + L" files found").c_str());
  });
  return search.Results();
}

void CleanerTool::BtnETFFixClick() {
  // The fix pumps messages: a press meanwhile must not start it again, nor a search.
  if (busy_ || LstETF.Empty()) return;
  const RunningFlag running(busy_);
  const LongWork longWork(host_);  // closing the window meanwhile stops the fix after the file at hand

  std::vector<CleanableFile> ticked = LstETF.Checked();
  // Deleted files do not go to the recycle bin: the user sees what goes before it goes.
  if (!ticked.empty() && !ConfirmIrreversible(host_.Window(), DeleteQuestion(ticked, UserDecimalSeparator())))
    return;
  const FixProgress fixed = FixWhileAnswering(std::move(ticked));
  SetWindowTextW(BtnETFFix, kFixCaption);
  for (const std::wstring& text : FixReport(fixed)) ShowNotice(host_.Window(), text);
  ClearList();
}

FixProgress CleanerTool::FixWhileAnswering(std::vector<CleanableFile> files) {
  CleanerFix fix(std::move(files), FixFile, SystemFileSystem().runThread);
  AnswerUntilEnded(host_, fix, kFixProgressIntervalMs, [&] {
    SetWindowTextW(BtnETFFix, FixingCaption(fix.Progress().done, fix.Total()).c_str());
  });
  return fix.Progress();
}

// "Fix selected" has nothing to do on an empty list.
void CleanerTool::ClearList() {
  LstETF.Clear();
  EnableWindow(BtnETFFix, FALSE);
}
