#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Handles.h"
#include "ui/Page.h"
#include "ui/Tool.h"

// "PC Administrating": running processes with the user's trusted marks (Data\trusted.txt), system
// figures, the web look-up of a process, and the repair of the internet connection.
class AdminTool : public Tool {
 public:
  explicit AdminTool(ToolHost& host);
  void PageShown() override { RefreshAdminTab(); }

  // Controls.
  HWND LstInfo = nullptr, Lbl23 = nullptr, BtnFI = nullptr, Lbl16 = nullptr, LstProc = nullptr;
  HWND BtnGInf = nullptr, Lbl17 = nullptr;

  // Handlers.
  void RefreshAdminTab();
  void LstProcClickCheck();
  void LstProcClick();
  double EstimateCpuClock();
  void BtnGInfClick();
  void BtnFIClick();

 private:
  void CreateControls(Page& page) override;
  std::wstring TrustedFilePath() const;
  std::vector<std::wstring> LoadTrustedList() const;
  // The list to change and write back; refused when the file cannot be written back whole.
  std::vector<std::wstring> LoadTrustedListForChange() const;

  void RunRepairSteps();

  ScopedFont infoFont_;
  bool repairing_ = false;
};
