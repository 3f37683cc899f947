#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tools/cleaner/CleanerScans.h"
#include "ui/Page.h"
#include "ui/Tool.h"

// "Cleaner": finds temporary files, the browser cache's files and the cookie text files of the
// current user, lists them checked, and deletes the checked ones on request.
class CleanerTool : public Tool {
 public:
  CleanerTool(ToolHost& host, Page& page);

  // Controls.
  HWND BtnETF = nullptr, LstETF = nullptr, BtnETFFix = nullptr;

  // Handlers.
  void BtnETFClick();
  void BtnETFFixClick();

 private:
  // Lists the folder's files that pass the filter and are not in use; with recurse, then those of its
  // subfolders, depth first, leaving out hidden and system folders and links.
  void ScanFolder(const std::wstring& folder, const std::wstring& mask, bool recurse,
                  const std::vector<std::wstring>& filter);
  // True for a file that cannot be opened for reading and writing without sharing; false where no
  // file is.
  bool IsFileInUse(const std::wstring& path) const;
  // A listed path may have changed since the search: delete it only while it is a plain file where a
  // scan could have found it, with no link on the way.
  bool IsStillCleanable(const std::wstring& path) const;
  int EntryCount() const;

  // The scans of the last search.
  std::vector<ScanRequest> scans_;
};
