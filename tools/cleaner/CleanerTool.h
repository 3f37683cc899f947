#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tools/cleaner/CleanerFix.h"
#include "tools/cleaner/CleanerSearch.h"
#include "ui/CheckList.h"
#include "ui/Page.h"
#include "ui/Tool.h"

// "Cleaner": finds temporary files, the browser caches' files and the cookie text files of the
// current user, lists them checked with their sizes, and deletes the checked ones once the user
// confirms.
class CleanerTool : public Tool {
 public:
  explicit CleanerTool(ToolHost& host);

  // Controls.
  HWND BtnETF = nullptr, BtnETFFix = nullptr;
  CheckList<CleanableFile> LstETF;

  // Handlers.
  void BtnETFClick();
  void BtnETFFixClick();

 private:
  void CreateControls(Page& page) override;
  // Runs the search on its threads while the window answers; closing the window or the end of the
  // session stops it, and what was found so far is listed.
  std::vector<CleanableFile> SearchWhileAnswering(std::vector<ScanRequest> scans);
  // Deletes the files on a thread of its own while the window answers; closing the window or the end
  // of the session stops it after the file at hand.
  FixProgress FixWhileAnswering(std::vector<CleanableFile> files);
  void ClearList();

  bool busy_ = false;  // a search or a fix is running
};
