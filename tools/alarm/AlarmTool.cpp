// "Alarm Clock" page: the audio file, the time, the switch, and the timer that plays the file.
#include "tools/alarm/AlarmTool.h"

#include "platform/Boxes.h"
#include "platform/Clock.h"
#include "platform/Dpi.h"
#include "platform/Fonts.h"
#include "platform/System.h"
#include "tools/alarm/AlarmFile.h"
#include "tools/alarm/AlarmSettings.h"
#include "ui/ComboBox.h"
#include "ui/TimePicker.h"
#include "utilities/ErrorText.h"
#include "utilities/TrayTip.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr int kListHeight = 150;  // the drop-down part, in the 96-DPI layout

int MinuteOfDay(const LocalTime& time) { return time.hour * 60 + time.minute; }

}  // namespace

AlarmTool::AlarmTool(ToolHost& host) : Tool(host) {}

void AlarmTool::CreateControls(Page& page) {
  const HFONT font = host_.Fonts().normal.Get();
  const HWND SH6 = PageHandle();
  statusFont_ = MakeFont({L"Tahoma", 21}, WindowDpi(PageHandle()));
  page.BindTimer(AlarmAjastin, [this] { AlarmAjastinTimer(); });
  page.BindTimer(RingLimit, [this] { RingLimitTimer(); });
  Lbl5 = CreateLabel(SH6, L"Notice that the Quoxel has to be running to ensure functionality of Alarm Clock.",
                     {87, 19, 412, 13}, font);
  page.AddBevel({87, 55, 412, 274}, EDGE_ETCHED, BF_RECT);  // Bevel2
  LblAlarmStatus =
      page.Bind(CreateChild(SH6, L"STATIC", L"Alarm is OFF", SS_LEFT, {235, 80, 126, 25}, 0, statusFont_.Get()),
                OnColour([](HDC dc) {
                  SetTextColor(dc, ShownColour(kGreen, COLOR_BTNTEXT));
                  return HBRUSH{};
                }));
  TimeAlarm = page.Bind(CreateTimePicker(SH6, {251, 229, 94, 21}, font, {12, 0, 0}),
                        Binding().OnNotify(DTN_DATETIMECHANGE, [this](const NMHDR&) { host_.SettingsChanged(); }));
  SetAccessibleName(TimeAlarm, L"Alarm time");
  Lbl4 = CreateLabel(SH6, L"Alarm audio file:", {251, 136, 77, 13}, font);  // names the edit made after it
  EditAlarmFile = page.Bind(
      CreateChild(SH6, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, {155, 155, 278, 21}, 0, font, WS_EX_CLIENTEDGE),
      OnChange([this] { host_.SettingsChanged(); }));
  BtnAlarmFile = page.Bind(CreateSpeedButton(SH6, L"Select audio file", {155, 182, 278, 22}, 0, font, L'S'),
                           OnClick([this] { BtnAlarmFileClick(); }));
  BtnSetAlarm = page.Bind(CreateSpeedButton(SH6, L"Set Alarm On", {155, 256, 278, 22}, 0, font, L'A'),
                          OnClick([this] { BtnSetAlarmClick(); }));
  CreateRepeatAndSnoozeLists(page, font);
}

// Below the frame, each after the label that names it.
void AlarmTool::CreateRepeatAndSnoozeLists(Page& page, HFONT font) {
  const HWND SH6 = PageHandle();
  const auto makeList = [&](int top) {
    return page.Bind(CreateChild(SH6, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                 {220, top, 213, 21 + kListHeight}, 0, font),
                     OnSelect([this] { host_.SettingsChanged(); }));
  };
  LblRepeat = CreateLabel(SH6, L"Repeat", {155, 341, 60, 13}, font);
  CboRepeat.Attach(makeList(337));
  CboRepeat.SetItems({kAlarmRepeats.begin(), kAlarmRepeats.end()},
                     [](const AlarmRepeat& repeat) { return RepeatText(repeat); });
  LblSnooze = CreateLabel(SH6, L"Snooze for", {155, 368, 60, 13}, font);
  CboSnooze.Attach(makeList(364));
  CboSnooze.SetItems({kSnoozeMinutes.begin(), kSnoozeMinutes.end()},
                     [](const int& minutes) { return std::to_wstring(minutes) + L" minutes"; });
  CboSnooze.Choose(kDefaultSnoozeMinutes);
  SetAccessibleName(CboRepeat.Handle(), L"Repeat");
  SetAccessibleName(CboSnooze.Handle(), L"Snooze for");
}

void AlarmTool::DisarmAlarm() { AlarmOn = false; }

std::optional<std::wstring> AlarmTool::ArmedLine() const {
  if (!AlarmOn) return std::nullopt;
  if (snoozedUntil_) return ArmedAtLine(L"Alarm", *snoozedUntil_ / 60, *snoozedUntil_ % 60) + L" (snoozed)";
  const TimeOfDay alarm = PickedTime(TimeAlarm);
  return ArmedAtLine(L"Alarm", alarm.hour, alarm.minute);
}

void AlarmTool::BtnAlarmFileClick() {
  Avaaja1.filter = L"Audio files (MP3 and Wav)|*.mp3;*.wav";
  if (Avaaja1.Execute(host_.Window())) SetWindowTextW(EditAlarmFile, Avaaja1.files.front().c_str());
}

void AlarmTool::BtnSetAlarmClick() {
  if (AlarmOn)
    SwitchOff();
  else
    SwitchOn();
}

// Switching off needs no file: it must work also when the file has gone meanwhile.
void AlarmTool::SwitchOff() {
  Silence();
  if (Ring) Ring->Hide();
  snoozedUntil_.reset();
  AlarmOn = false;
  AlarmAjastin.SetEnabled(false);
  ShowSwitch();
  host_.ArmedStateChanged();
}

void AlarmTool::SwitchOn() {
  const std::wstring path = WindowTextOf(EditAlarmFile);
  const std::wstring problem = AlarmFileProblem(path, FileExists(path));
  if (!problem.empty()) {
    ShowNotice(host_.Window(), problem);
    return;
  }
  SwitchOnWith(path);
}

// The file is opened before the switch, so that the alarm is never on with nothing to play.
void AlarmTool::SwitchOnWith(const std::wstring& path) {
  Soitin.Open(path);
  Arm();
}

void AlarmTool::Arm() {
  AlarmOn = true;
  const LocalTime now = LocalNow();
  trigger_.Arm(now);
  AlarmAjastin.RunNextIn(static_cast<UINT>(MillisecondsToNextMinute(now)));
  ShowSwitch();
  host_.ArmedStateChanged();
}

void AlarmTool::StoreSettings(SettingsFile& file) const {
  WriteAlarmSettings(
      {PickedMinuteOfDay(TimeAlarm), WindowTextOf(EditAlarmFile), AlarmOn, CboSnooze.Chosen(), CboRepeat.Chosen()},
      file);
}

// Nobody is there to answer a box at start: an alarm that cannot be armed again says why in a balloon.
// No start waits for the audio file either (a large one takes the device seconds to open): the alarm
// is armed on the file being there, and the file is opened when the alarm rings.
void AlarmTool::RestoreSettings(const SettingsFile& file) {
  const AlarmSettings settings = ReadAlarmSettings(file);
  if (settings.minuteOfDay) ShowMinuteOfDay(TimeAlarm, *settings.minuteOfDay);
  if (settings.sound) SetWindowTextW(EditAlarmFile, settings.sound->c_str());
  if (settings.snoozeMinutes) CboSnooze.Choose(*settings.snoozeMinutes);
  if (settings.repeat) CboRepeat.Choose(*settings.repeat);
  if (!settings.armed.value_or(false)) return;
  const std::wstring path = WindowTextOf(EditAlarmFile);
  const bool there = FileExists(path);
  const std::wstring problem =
      there || path.empty() ? AlarmFileProblem(path, there) : L"its audio file is not there any more: " + path;
  if (problem.empty())
    Arm();
  else
    host_.ShowTrayBalloon(L"The alarm is off: " + problem, L"Alarm Clock");
}

void AlarmTool::ShowSwitch() {
  SetWindowTextW(LblAlarmStatus, AlarmOn ? L"Alarm is ON!" : L"Alarm is OFF.");
  SetWindowTextW(BtnSetAlarm, AlarmOn ? L"Set Alarm Off" : L"Set Alarm On");
  for (HWND control : {EditAlarmFile, TimeAlarm, BtnAlarmFile}) EnableWindow(control, !AlarmOn);
}

// Each event sets the next just after the next minute begins: the alarm rings on its minute, and
// follows the clock when the user or a time sync changes it.
void AlarmTool::AlarmAjastinTimer() {
  const LocalTime now = LocalNow();
  AlarmAjastin.RunNextIn(static_cast<UINT>(MillisecondsToNextMinute(now)));
  const TimeOfDay alarm = PickedTime(TimeAlarm);
  const bool itsDay = trigger_.Tick(now, alarm.hour, alarm.minute) &&
                      RingsOn(CboRepeat.Chosen().value_or(AlarmRepeat::EveryDay), now.year, now.month, now.day);
  const bool snoozeOver = snoozedUntil_ && snoozeTrigger_.Tick(now, *snoozedUntil_ / 60, *snoozedUntil_ % 60);
  if (itsDay || snoozeOver) StartRinging(now);
}

// Made anew each time, so that it takes the window fonts, scale and contrast of the moment.
void AlarmTool::StartRinging(const LocalTime& now) {
  snoozedUntil_.reset();
  Ring = std::make_unique<AlarmRing>(
      host_.Window(), host_.Fonts().normal.Get(),
      AlarmRing::Actions{[this] { SnoozeRing(); }, [this] { StopRing(); }, [this] { RingSoundEnded(); }});
  Ring->Show(now.hour, now.minute);
  ringStart_ = SteadyMilliseconds();
  RingLimit.RunNextIn(kRingMilliseconds);
  PlayFromStart();
  host_.ShowTrayBalloon(L"Wake Up!", L"Alarm Clock");
  host_.ArmedStateChanged();
}

// The ring window hears the sound's end, so that it starts again.
void AlarmTool::PlayFromStart() {
  try {  // a failed playback is not reported: the balloon and the ring window still wake the user
    if (!Soitin.IsOpen()) Soitin.Open(WindowTextOf(EditAlarmFile));
    Soitin.Play(Ring->Handle);
  } catch (const AppError&) {
  }
}

void AlarmTool::Silence() {
  RingLimit.SetEnabled(false);
  if (Soitin.IsOpen()) Soitin.Stop();
}

void AlarmTool::RingSoundEnded() {
  if (RingLimit.Enabled()) PlayFromStart();
}

// Ten minutes of sound on the steady clock: a change of the time neither cuts it short nor draws it out.
void AlarmTool::RingLimitTimer() {
  const std::int64_t left = kRingMilliseconds - (SteadyMilliseconds() - ringStart_);
  if (left > 0)
    RingLimit.RunNextIn(static_cast<UINT>(left));
  else
    StopRing();
}

void AlarmTool::SnoozeRing() {
  Silence();
  const LocalTime now = LocalNow();
  snoozedUntil_ = MinuteOfDayAfter(MinuteOfDay(now), CboSnooze.Chosen().value_or(kDefaultSnoozeMinutes));
  snoozeTrigger_.Arm(now);
  host_.ArmedStateChanged();
}

// The alarm stays on for its next day, unless it was to ring once.
void AlarmTool::StopRing() {
  Silence();
  Ring->Hide();
  if (CboRepeat.Chosen() == AlarmRepeat::Once) SwitchOff();
}
