#include "tools/disk/DriveWalk.h"

#include <windows.h>

#include <algorithm>
#include <thread>

#include "platform/Drives.h"
#include "platform/FileAccess.h"

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
  static const FolderAccess access{IdentifyForWalk, ListEntries, RunWithoutFileSystemRedirection};
  return access;
}

// Listing is the cost of a search, and under Wine much of a listing is waiting for the Wine server to
// open and close the folder: two workers per core keep the cores busy while others wait (on two cores,
// four workers took 0.56 of a single-thread walk where two took 0.62).
unsigned SearchWorkers() { return std::clamp(2 * std::thread::hardware_concurrency(), 4u, 8u); }
