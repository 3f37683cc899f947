#pragma once
#include <windows.h>

#include "platform/FileDialogs.h"
#include "platform/Handles.h"
#include "ui/OrderedFileList.h"
#include "ui/Page.h"
#include "ui/Tool.h"

// "File Renamer": files collected in an ordered list get the names of one pattern, "*" standing for
// each file's position in the list; moved there, or copied with the originals kept.
class RenamerTool : public Tool {
 public:
  explicit RenamerTool(ToolHost& host);
  bool KeepsSettings() const override { return true; }
  void StoreSettings(SettingsFile& file) const override;
  void RestoreSettings(const SettingsFile& file) override;

  // Controls.
  HWND Lbl20 = nullptr, BtnAddF = nullptr, LstRen = nullptr, BtnRem1 = nullptr, BtnMU = nullptr, BtnMD = nullptr;
  HWND ChkCopy = nullptr, Lbl13 = nullptr, EditRen = nullptr, BtnConv = nullptr;
  // Non-visual components.
  FileDialog Avaaja2;

  // Handlers.
  void BtnAddFClick();
  void LstRenClick();
  void BtnRem1Click();
  void BtnMUClick();
  void BtnMDClick();
  void EditRenChange();
  void EditRenKeyDown(WORD key);
  void BtnConvClick();

 private:
  void CreateControls(Page& page) override;
  void ApplyConvertRule();
  std::wstring Pattern() const;
  void SetPattern(const std::wstring& pattern);
  // Moves or copies each entry to its numbered name; returns the entries that failed, in list order.
  // An entry counts as done only when a file is found under its new name afterwards.
  std::vector<std::wstring> RenameAll(const std::wstring& pattern, bool keepCopy);
  void ReportRun(const std::vector<std::wstring>& failed, int total);

  ScopedFont titleFont_;
  OrderedFileList files_;
};
