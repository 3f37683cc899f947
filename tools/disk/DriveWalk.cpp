#include "tools/disk/DriveWalk.h"

#include <windows.h>

#include <algorithm>
#include <thread>

#include "platform/Drives.h"

namespace {

std::optional<FolderKey> IdentifyForWalk(const std::wstring& dir) {
  const std::optional<FolderIdentity> identity = IdentifyFolder(dir);
  if (!identity) return std::nullopt;
  return FolderKey{identity->volume, identity->index};
}

// One listing gives the files, the sub-folders and their identities: Wine reads every entry's
// attributes anew, so a second listing of the same folder would double the time of a search, and
// identifying a folder on its own costs more than listing it.
void ListEntries(const std::wstring& dir, const EntryVisitor& visit) {
  ForEachFolderEntry(dir, [&](const FolderEntry& entry) {
    visit(ListedEntry{entry.name, entry.attributes, entry.size, entry.fileId});
  });
}

}  // namespace

const FolderAccess& DriveFolderAccess() {
  static const FolderAccess access{IdentifyForWalk, ListEntries};
  return access;
}

// Listing is the cost of a search: one worker per core, two at least so that a core's worth of listing
// goes on while the window's thread offers files and answers messages.
unsigned SearchWorkers() { return std::max(2u, std::min(4u, std::thread::hardware_concurrency())); }
