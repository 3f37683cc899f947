// "Cleaner" page: temporary files, the browser cache and cookies of the current user.
#include "tools/cleaner/CleanerTool.h"

#include <shlobj.h>

#include <algorithm>

#include "platform/Boxes.h"
#include "platform/Drives.h"
#include "platform/FileAccess.h"
#include "platform/System.h"
#include "platform/UserFolders.h"
#include "ui/CheckListBox.h"

namespace {

bool IsDotEntry(const WIN32_FIND_DATAW& entry) {
  return wcscmp(entry.cFileName, L".") == 0 || wcscmp(entry.cFileName, L"..") == 0;
}

// A link may lead back up (a walk without end) or out of the folder being cleaned: never entered.
bool IsSubfolderToScan(const WIN32_FIND_DATAW& entry) {
  constexpr DWORD kLeftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(entry.dwFileAttributes & kLeftOut) &&
         !IsDotEntry(entry);
}

}  // namespace

CleanerTool::CleanerTool(ToolHost& host, Page& page) : Tool(host, page) {
  const HFONT font = host.Fonts().normal.Get();
  const HWND Sh3 = PageHandle();
  BtnETF = page.Bind(CreateSpeedButton(Sh3, L"Search for unnecessary files", {0, 3, 585, 22}, 0, font),
                     OnClick([this] { BtnETFClick(); }));
  LstETF = CreateCheckListBox(Sh3, {0, 31, 585, 326}, 0, font, 13, ItemOrder::AsAdded);
  BtnETFFix = page.Bind(CreateSpeedButton(Sh3, L"Fix selected", {0, 363, 585, 22}, 0, font),
                        OnClick([this] { BtnETFFixClick(); }));
}

void CleanerTool::BtnETFClick() {
  const std::wstring userName = GetLoggedOnUserName();
  SendMessageW(LstETF, LB_RESETCONTENT, 0, 0);
  scans_ = CleanerScans(userName, GetSpecialFolderPath(CSIDL_COOKIES));
  for (const ScanRequest& scan : scans_) ScanFolder(scan.folder, kAllFiles, scan.recurse, scan.filter);
  if (EntryCount() == 0) ShowNotice(host_.Window(), L"Nothing found! (a good thing)");
}

void CleanerTool::ScanFolder(const std::wstring& folder, const std::wstring& mask, bool recurse,
                             const std::vector<std::wstring>& filter) {
  const std::wstring base = WithTrailingBackslash(folder);
  ForEachDirectoryEntry(base + mask, [&](const WIN32_FIND_DATAW& entry) {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
    const std::wstring path = base + entry.cFileName;
    // A read-only file cannot be opened for writing; the attribute says so also where the open is
    // granted anyway (Wine run by root).
    const bool readOnly = entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY;
    for (int matches = FilterMatches(entry.cFileName, filter); matches > 0; --matches)
      if (!readOnly && !IsFileInUse(path)) SetItemChecked(LstETF, AddCheckListItem(LstETF, path), true);
  });
  if (!recurse) return;
  ForEachDirectoryEntry(base + kAllFiles, [&](const WIN32_FIND_DATAW& entry) {
    if (IsSubfolderToScan(entry)) ScanFolder(base + entry.cFileName, mask, true, filter);
  });
}

bool CleanerTool::IsFileInUse(const std::wstring& path) const { return FileExists(path) && !OpensExclusively(path); }

void CleanerTool::BtnETFFixClick() {
  const int count = EntryCount();
  if (count == 0) return;
  int fixed = 0;
  bool inUse = false;
  for (int i = 0; i < count; ++i) {
    if (!IsItemChecked(LstETF, i)) continue;
    const std::wstring path = ListBoxText(LstETF, i);
    if (!IsStillCleanable(path)) continue;
    ClearReadOnly(path);
    if (DeleteFileAt(path))
      ++fixed;
    else if (IsFileInUse(path))
      inUse = true;
  }
  ShowNotice(host_.Window(), std::to_wstring(fixed) + L" files fixed.");
  if (inUse)
    ShowNotice(host_.Window(), L"Some of the files could not be fixed because they are in use by the operating system.");
  SendMessageW(LstETF, LB_RESETCONTENT, 0, 0);
}

bool CleanerTool::IsStillCleanable(const std::wstring& path) const {
  const auto folders = FoldersBelowScan(path, scans_);
  return folders && std::all_of(folders->begin(), folders->end(), IsPlainFolder) && IsPlainFile(path);
}

int CleanerTool::EntryCount() const { return static_cast<int>(SendMessageW(LstETF, LB_GETCOUNT, 0, 0)); }
