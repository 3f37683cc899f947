#pragma once
#include <windows.h>

#include <functional>

#include "platform/Handles.h"
#include "platform/WindowTimer.h"
#include "ui/Page.h"
#include "ui/Tool.h"
#include "utilities/DailyTrigger.h"

// "Timed Shutdown": a forced power-off or restart at a time of day, while armed.
class ShutdownTool : public Tool {
 public:
  static constexpr UINT_PTR kTimerShutdown = 1;

  explicit ShutdownTool(ToolHost& host);
  // The shutdown's starting state, set while the program starts.
  void DisarmShutdown();
  std::optional<std::wstring> ArmedLine() const override;

  // Controls.
  HWND Lbl24 = nullptr, Lbl6 = nullptr, LblShut = nullptr, ShutAika = nullptr, Rd1 = nullptr, Rd2 = nullptr;
  HWND BtnShut = nullptr, Lbl7 = nullptr;
  // Non-visual components.
  WindowTimer ShutAjastin{kTimerShutdown, 60000};
  bool TimedShutdownOn = false;
  // Runs just before the request, which a forced shutdown never lets the program outlive: what the
  // program saves at its end is saved here.
  std::function<void()> BeforeShutdownRequest;

  // Handlers.
  void BtnShutClick();
  void ShutAjastinTimer();

 private:
  void CreateControls(Page& page) override;
  ScopedFont titleFont_, stateFont_, platformFont_;
  DailyMinuteTrigger trigger_{60000};
};
