#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/FileDialogs.h"
#include "platform/Handles.h"
#include "tools/renamer/RenamePattern.h"
#include "tools/renamer/RenameUndo.h"
#include "ui/OrderedFileList.h"
#include "ui/Page.h"
#include "ui/Tool.h"

// "File Renamer": files collected in an ordered list get the names of one pattern, "*" standing for
// each file's number in the list; moved there, or copied with the originals kept. Each row shows the
// name its file will get; the last run can be undone, also after a restart.
class RenamerTool : public Tool {
 public:
  explicit RenamerTool(ToolHost& host);
  bool KeepsSettings() const override { return true; }
  void StoreSettings(SettingsFile& file) const override;
  void RestoreSettings(const SettingsFile& file) override;

  // Controls.
  HWND Lbl20 = nullptr, BtnAddF = nullptr, LstRen = nullptr, BtnRem1 = nullptr, BtnMU = nullptr, BtnMD = nullptr;
  HWND ChkCopy = nullptr, Lbl13 = nullptr, EditRen = nullptr, BtnConv = nullptr;
  HWND LblStart = nullptr, EditStart = nullptr, ChkWidth = nullptr, BtnUndo = nullptr;
  // Non-visual components.
  FileDialog Avaaja2;
  ScopedMenu PopRen;  // the list's menu
  static constexpr UINT kCmdSortByName = 100, kCmdSortByDateModified = 101, kCmdSortByDateTaken = 102;

  // Handlers.
  void BtnAddFClick();
  void LstRenClick();
  void LstRenDropFiles(const std::vector<std::wstring>& paths);
  void BtnRem1Click();
  void BtnMUClick();
  void BtnMDClick();
  void EditRenChange();
  void EditRenKeyDown(WORD key);
  void BtnConvClick();
  void OptionChange();  // "Keep copy", "Start at", "Same width"
  void SortByNameClick();
  void SortByDateModifiedClick();
  void SortByDateTakenClick();
  void BtnUndoClick();

 private:
  void CreateControls(Page& page) override;
  void CreateNumberingControls(Page& page, HFONT font);
  void CreateListMenu(Page& page);
  void ApplyConvertRule();
  std::wstring Pattern() const;
  void SetPattern(const std::wstring& pattern);
  std::optional<NumberStyle> Numbering() const;
  void SetNumbering(NumberStyle style);
  void AddFiles(const std::vector<std::wstring>& paths);
  // Reorders the list by a key of each file, ascending; equal keys keep their order.
  template <typename KeyOf>
  void SortBy(KeyOf keyOf);

  // The preview: the name each row's file will get, while the pattern passes its checks.
  void RefreshPreview();
  void DrawRow(const DRAWITEMSTRUCT& item) const;
  std::wstring PreviewOf(int row) const;

  // The run: planned and recorded before the first file is touched, then done on a thread of its own.
  UndoRecord PlanRun(const std::wstring& pattern, NumberStyle style) const;
  UndoRecord RenameWhileAnswering(UndoRecord record);
  void ReportRun(const UndoRecord& done);
  std::wstring UndoRecordPath() const;
  void SaveUndoRecord(const UndoRecord& record) const;
  void UndoRecordChanged(bool kept);

  ScopedFont titleFont_;
  OrderedFileList files_;
  std::vector<PreviewRow> preview_;  // one per row; empty while the pattern fails a check
  int previewWidth_ = 0;             // of the widest preview text, in the list's font
  bool busy_ = false;                // a run or an undo is going on
};
