#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/FileDialogs.h"
#include "platform/Handles.h"
#include "platform/MciPlayer.h"
#include "platform/WindowTimer.h"
#include "tools/alarm/AlarmRing.h"
#include "tools/alarm/AlarmSchedule.h"
#include "ui/ComboBox.h"
#include "ui/Page.h"
#include "ui/Tool.h"
#include "utilities/DailyTrigger.h"

// "Alarm Clock": at a time of day, on the days its repeat gives while it is on, shows a balloon and a
// ring window and plays an audio file over and over until the user stops or snoozes it, or for ten
// minutes at most.
class AlarmTool : public Tool {
 public:
  static constexpr UINT_PTR kTimerAlarm = 1, kTimerRingLimit = 2;
  static constexpr UINT kRingMilliseconds = 10 * 60 * 1000;

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
  HWND BtnAlarmFile = nullptr, TimeAlarm = nullptr, BtnSetAlarm = nullptr, LblRepeat = nullptr, LblSnooze = nullptr;
  ComboBox<AlarmRepeat> CboRepeat;
  ComboBox<int> CboSnooze;  // minutes
  std::unique_ptr<AlarmRing> Ring;
  // Non-visual components.
  MciPlayer Soitin;
  WindowTimer AlarmAjastin{kTimerAlarm, 60000};
  WindowTimer RingLimit{kTimerRingLimit, kRingMilliseconds};
  FileDialog Avaaja1;
  bool AlarmOn = false;

  // Handlers.
  void BtnAlarmFileClick();
  void BtnSetAlarmClick();
  void AlarmAjastinTimer();
  void RingLimitTimer();
  void SnoozeRing();
  void StopRing();
  void RingSoundEnded();

 private:
  void CreateControls(Page& page) override;
  void SwitchOn();
  void SwitchOnWith(const std::wstring& path);
  void Arm();
  void SwitchOff();
  void ShowSwitch();
  void CreateRepeatAndSnoozeLists(Page& page, HFONT font);
  void StartRinging(const LocalTime& now);
  void PlayFromStart();
  void Silence();

  ScopedFont statusFont_;
  DailyMinuteTrigger trigger_{60000};
  DailyMinuteTrigger snoozeTrigger_{60000};
  std::optional<int> snoozedUntil_;  // the minute of the day
  std::int64_t ringStart_ = 0;       // on the steady clock
};
