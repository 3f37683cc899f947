// "Cleaner" page: temporary files, the browser cache and cookies of the current user.
#include "tools/cleaner/CleanerTool.h"

#include <shlobj.h>

#include <algorithm>
#include <thread>

#include "platform/Boxes.h"
#include "platform/Drives.h"
#include "platform/FileAccess.h"
#include "platform/System.h"
#include "platform/UserFolders.h"
#include "ui/CheckListBox.h"
#include "ui/Handlers.h"

namespace {

constexpr wchar_t kSearchCaption[] = L"Search for unnecessary files";
constexpr DWORD kAnswerIntervalMs = 10;
constexpr DWORD kProgressIntervalMs = 250;

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
        ForEachFolderEntry(dir, [&](const FolderEntry& entry) { visit({entry.name, entry.attributes, entry.fileId}); });
      },
      [](const std::wstring& path, const std::wstring& finalPath,
         const std::optional<FileIdentity>& listed) -> std::optional<FileIdentity> {
        const ExclusiveFile file(path, ExclusiveFile::Purpose::Check);
        if (!file.IsOpen() || file.FinalPath() != finalPath) return std::nullopt;
        return listed ? listed : file.PlainFileIdentity();
      },
      RunWithoutFileSystemRedirection};
  return fileSystem;
}

unsigned CheckerThreads() { return std::clamp(2 * std::thread::hardware_concurrency(), 4u, 8u); }

}  // namespace

CleanerTool::CleanerTool(ToolHost& host) : Tool(host) {}

void CleanerTool::CreateControls(Page& page) {
  const HFONT font = host_.Fonts().normal.Get();
  const HWND Sh3 = PageHandle();
  BtnETF = page.Bind(CreateSpeedButton(Sh3, kSearchCaption, {0, 3, 585, 22}, 0, font, L'S'),
                     OnClick([this] { BtnETFClick(); }));
  LstETF = CreateCheckListBox(Sh3, {0, 31, 585, 326}, 0, font, 13, ItemOrder::AsAdded);
  SetAccessibleName(LstETF, L"Unnecessary files");
  BtnETFFix = page.Bind(CreateSpeedButton(Sh3, L"Fix selected", {0, 363, 585, 22}, 0, font, L'F'),
                        OnClick([this] { BtnETFFixClick(); }));
}

void CleanerTool::BtnETFClick() {
  // The search pumps messages: a press meanwhile must not start another.
  if (searching_) return;
  const RunningFlag running(searching_);
  const LongWork longWork(host_);  // closing the window meanwhile takes effect once the list is filled

  SendMessageW(LstETF, LB_RESETCONTENT, 0, 0);
  found_.clear();
  found_ =
      SearchWhileAnswering(CleanerScans(GetSpecialFolderPath(CSIDL_PROFILE), GetSpecialFolderPath(CSIDL_INTERNET_CACHE),
                                        GetSpecialFolderPath(CSIDL_COOKIES)));
  std::vector<std::wstring> paths;
  paths.reserve(found_.size());
  for (const CleanableFile& file : found_) paths.push_back(file.path);
  AddCheckListItems(LstETF, paths, [](const std::wstring&) { return true; });
  SetWindowTextW(BtnETF, kSearchCaption);
  if (EntryCount() == 0 && !host_.EndRequested()) ShowNotice(host_.Window(), L"Nothing found! (a good thing)");
}

std::vector<CleanableFile> CleanerTool::SearchWhileAnswering(std::vector<ScanRequest> scans) {
  CleanerSearch search(SystemFileSystem(), std::move(scans), CheckerThreads());
  ShowProgress(0);
  DWORD lastProgress = GetTickCount();
  while (!search.Ended()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kAnswerIntervalMs, QS_ALLINPUT);
    ProcessPendingMessages(host_.Window());
    if (host_.EndRequested()) search.Stop();
    if (GetTickCount() - lastProgress >= kProgressIntervalMs) {
      ShowProgress(search.FoundCount());
      lastProgress = GetTickCount();
    }
  }
  return search.Results();
}

void CleanerTool::ShowProgress(std::size_t found) {
  SetWindowTextW(BtnETF, (L"Searching... " + std::to_wstring(found) + L" files found").c_str());
}

void CleanerTool::BtnETFFixClick() {
  const int count = EntryCount();
  if (count == 0) return;
  int fixed = 0;
  bool inUse = false;
  for (int i = 0; i < count; ++i)
    if (IsItemChecked(LstETF, i) && FixFile(found_[static_cast<std::size_t>(i)], inUse)) ++fixed;
  ShowNotice(host_.Window(), std::to_wstring(fixed) + L" files fixed.");
  if (inUse)
    ShowNotice(host_.Window(),
               L"Some of the files could not be fixed because they are in use by the operating system.");
  SendMessageW(LstETF, LB_RESETCONTENT, 0, 0);
  found_.clear();
}

// A listed path may name something else since the search: a link put in its place or on its way, or
// another file. Only the same file at the same place is deleted, through the handle that checked it.
bool CleanerTool::FixFile(const CleanableFile& file, bool& inUse) {
  ExclusiveFile opened(file.path, ExclusiveFile::Purpose::Delete);
  if (!opened.IsOpen()) {
    inUse = inUse || opened.WasRefused();
    return false;
  }
  return opened.PlainFileIdentity() == file.identity && opened.FinalPath() == file.finalPath && opened.Delete();
}

int CleanerTool::EntryCount() const { return static_cast<int>(SendMessageW(LstETF, LB_GETCOUNT, 0, 0)); }
