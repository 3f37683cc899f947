#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "platform/HttpDownload.h"
#include "platform/IniFile.h"
#include "platform/WindowTimer.h"
#include "tools/catalogue/Catalogue.h"
#include "ui/Page.h"
#include "ui/Tool.h"

// "Software List": the catalogue tree from Data\soft.txt, each entry's download location from
// Data\soft.ini, and the update that fetches both files from the maker's server in the background.
class CatalogueTool : public Tool {
 public:
  explicit CatalogueTool(ToolHost& host);

  // Controls.
  HWND Lbl8 = nullptr, Softat = nullptr, Lbl12 = nullptr, LblSLink = nullptr, BtnUpdate1 = nullptr;
  std::unique_ptr<IniFileReader> SoftIni;  // download locations of the catalogue

  // Reads the catalogue from Data\soft.txt when it exists (an error is shown, the earlier entries stay)
  // and puts SoftIni on Data\soft.ini, as the program starts; the page's tree shows it when made.
  void LoadSoftwareList();
  // Frees the link-file reader as the program ends.
  void FreeLinkReader() { SoftIni.reset(); }

  // Handlers.
  void SoftatChange(HTREEITEM node);
  void LblSLinkClick();
  void BtnUpdate1Click();

 private:
  void CreateControls(Page& page) override;
  static constexpr UINT_PTR kTimerUpdate = 1;
  enum class UpdateStep { Catalogue, Links };

  std::wstring DataFile(const wchar_t* name) const;
  void FillCatalogueTree();
  void LoadCatalogueFile(const std::wstring& path);
  void StartDownload(UpdateStep step, const wchar_t* path);
  // Looks at the running download; a finished one moves the update on or ends it.
  void UpdateTimer();
  void TakeCatalogue(const BackgroundDownload& download);
  void TakeLinks(const BackgroundDownload& download);

  Catalogue catalogue_;  // what the tree shows
  // The update in progress: its server, the download running, and the catalogue it brought.
  std::wstring server_;
  UpdateStep step_ = UpdateStep::Catalogue;
  std::unique_ptr<BackgroundDownload> download_;
  std::string newCatalogue_;
  WindowTimer updateTimer_{kTimerUpdate, 100};
};
