#pragma once
#include <windows.h>

#include "platform/FileDialogs.h"
#include "platform/Handles.h"
#include "platform/MciPlayer.h"
#include "platform/WindowTimer.h"
#include "ui/Page.h"
#include "ui/Tool.h"
#include "utilities/DailyTrigger.h"

// "Alarm Clock": plays an audio file and shows a balloon at a time of day, every day while it is on.
class AlarmTool : public Tool {
 public:
  static constexpr UINT_PTR kTimerAlarm = 1;

  explicit AlarmTool(ToolHost& host);
  // The alarm's starting state, set while the program starts.
  void DisarmAlarm();
  std::optional<std::wstring> ArmedLine() const override;
  std::wstring ArmedName() const override { return L"the alarm"; }
  bool KeepsSettings() const override { return true; }
  void StoreSettings(SettingsFile& file) const override;
  void RestoreSettings(const SettingsFile& file) override;

  // Controls.
  HWND Lbl5 = nullptr, LblAlarmStatus = nullptr, Lbl4 = nullptr, EditAlarmFile = nullptr;
  HWND BtnAlarmFile = nullptr, TimeAlarm = nullptr, BtnSetAlarm = nullptr;
  // Non-visual components.
  MciPlayer Soitin;
  WindowTimer AlarmAjastin{kTimerAlarm, 60000};
  FileDialog Avaaja1;
  bool AlarmOn = false;

  // Handlers.
  void BtnAlarmFileClick();
  void BtnSetAlarmClick();
  void AlarmAjastinTimer();

 private:
  void CreateControls(Page& page) override;
  void SwitchOn();
  void SwitchOnWith(const std::wstring& path);
  void Arm();
  void SwitchOff();
  void ShowSwitch();

  ScopedFont statusFont_;
  DailyMinuteTrigger trigger_{60000};
};
