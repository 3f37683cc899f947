#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "platform/Handles.h"
#include "platform/WindowTimer.h"
#include "tools/shutdown/ShutdownCountdown.h"
#include "tools/shutdown/ShutdownWarning.h"
#include "ui/Page.h"
#include "ui/Tool.h"
#include "utilities/DailyTrigger.h"

// "Timed Shutdown": a forced power-off or restart at a time of day, while armed, after a warning of
// 60 seconds that can put it off or cancel it.
class ShutdownTool : public Tool {
 public:
  static constexpr UINT_PTR kTimerShutdown = 1, kTimerCountdown = 2;

  explicit ShutdownTool(ToolHost& host);
  // The shutdown's starting state, set while the program starts.
  void DisarmShutdown();
  std::optional<std::wstring> ArmedLine() const override;
  std::wstring ArmedName() const override { return L"the timed shutdown"; }
  bool KeepsSettings() const override { return true; }
  void StoreSettings(SettingsFile& file) const override;
  void RestoreSettings(const SettingsFile& file) override;

  // Controls.
  HWND Lbl24 = nullptr, Lbl6 = nullptr, LblShut = nullptr, ShutAika = nullptr, Rd1 = nullptr, Rd2 = nullptr;
  HWND BtnShut = nullptr, LblShutTime = nullptr, Lbl7 = nullptr;
  // Non-visual components.
  WindowTimer ShutAjastin{kTimerShutdown, 60000};
  WindowTimer Countdown{kTimerCountdown, 1000};
  std::unique_ptr<ShutdownWarning> Warning;  // from the first warning on
  bool TimedShutdownOn = false;
  // Runs just before the request, which a forced shutdown never lets the program outlive: what the
  // program saves at its end is saved here.
  std::function<void()> BeforeShutdownRequest;

  // Handlers.
  void BtnShutClick();
  void ShutAjastinTimer();
  void CountdownTimer();

 private:
  void CreateControls(Page& page) override;
  bool RebootChosen() const;
  void ChoiceChanged();
  std::wstring TimeLine() const;
  void ShowTimeLine();
  void StartWarning();
  void ShowWarning();
  void PostponeWarning();
  void CancelWarning();
  void StopWarning();
  void RequestShutdown();
  ScopedFont titleFont_, stateFont_, platformFont_;
  DailyMinuteTrigger trigger_{60000};
  ShutdownCountdown countdown_;
  bool reboot_ = false;  // the choice when the warning began, which its text names
  std::optional<int> postponedTo_;  // the minute of the day the warning was last put off to
};
