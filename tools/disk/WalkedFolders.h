#pragma once
#include <set>
#include <string>
#include <vector>

#include "platform/Drives.h"

// The folders a search has walked, so that none is walked twice whatever path leads to it again. A
// folder is reached a second time only through a link (a symbolic link, junction or mount point), and
// asking a folder for its identity costs a file opening each: until the first link the folders are only
// noted, and identified all at once when it comes. A drive without links pays nothing.
class WalkedFolders {
 public:
  void Clear();
  // False when the folder was walked before; notes it otherwise.
  bool Enter(const std::wstring& folder, bool throughLink);

 private:
  bool linkMet_ = false;
  std::vector<std::wstring> unidentified_;
  std::set<FolderIdentity> identified_;
};
