// "Timed Shutdown" page: the time, the choice between power-off and restart, the switch, and the
// timer that sends the request.
#include "tools/shutdown/ShutdownTool.h"

#include "platform/Clock.h"
#include "platform/Dpi.h"
#include "platform/Fonts.h"
#include "platform/Shutdown.h"
#include "tools/shutdown/ShutdownFlags.h"
#include "tools/shutdown/ShutdownSettings.h"
#include "tools/shutdown/ShutdownTimeLine.h"
#include "ui/TimePicker.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kMaroon = RGB(128, 0, 0);
constexpr wchar_t kBalloonTitle[] = L"Timed Shutdown";
constexpr int kMinutesPerDay = 24 * 60;

int MinuteOfDay(int hour, int minute) { return hour * 60 + minute; }

}  // namespace

ShutdownTool::ShutdownTool(ToolHost& host) : Tool(host) {}

void ShutdownTool::CreateControls(Page& page) {
  const HFONT font = host_.Fonts().normal.Get();
  const HWND SH8 = PageHandle();
  titleFont_ = MakeFont({L"Tahoma", 16, FW_NORMAL, true}, WindowDpi(PageHandle()));
  stateFont_ = MakeFont({L"Tahoma", 21}, WindowDpi(PageHandle()));
  platformFont_ = MakeFont({L"Tahoma", 19}, WindowDpi(PageHandle()));
  page.BindTimer(ShutAjastin, [this] { ShutAjastinTimer(); });
  page.BindTimer(Countdown, [this] { CountdownTimer(); });
  Lbl24 = CreateLabel(SH8, L"Make a timed shutdown or reboot for your computer", {99, 27, 373, 19}, titleFont_.Get());
  Lbl6 = CreateLabel(SH8, L"Notice that the Quoxel has to be running to ensure functionality of Timed Shutdown.",
                     {75, 60, 436, 13}, font);
  page.AddBevel({75, 79, 436, 257}, EDGE_RAISED, BF_RECT);  // Bevel6
  LblShut = page.Bind(CreateLabel(SH8, L"Timed Shutdown is disabled.", {144, 158, 270, 25}, stateFont_.Get()),
                      OnColour([this](HDC dc) {
                        SetTextColor(dc, ShownColour(TimedShutdownOn ? kGreen : kMaroon, COLOR_BTNTEXT));
                        return HBRUSH{};
                      }));
  ShutAika = page.Bind(CreateTimePicker(SH8, {208, 197, 137, 21}, font, {12, 0, 0}),
                       Binding().OnNotify(DTN_DATETIMECHANGE, [this](const NMHDR&) { host_.SettingsChanged(); }));
  SetAccessibleName(ShutAika, L"Shutdown time");
  // The choice may change while armed; the tray icon's tip names it.
  Rd1 = page.Bind(CreateChild(SH8, L"BUTTON", L"&Shutdown", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                              {208, 233, 73, 17}, 0, font),
                  OnClick([this] { ChoiceChanged(); }));
  Rd2 = page.Bind(CreateChild(SH8, L"BUTTON", L"&Reboot", BS_AUTORADIOBUTTON, {287, 233, 57, 17}, 0, font),
                  OnClick([this] { ChoiceChanged(); }));
  SetButtonChecked(Rd1, true);
  BtnShut = page.Bind(CreateSpeedButton(SH8, L"Toggle", {208, 256, 137, 25}, 0, font, L'T'),
                      OnClick([this] { BtnShutClick(); }));
  // Wide enough for the longest line ("Reboot at 23:00 (in 23 h 59 min)"), empty while disarmed.
  LblShutTime = CreateChild(SH8, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, {208, 290, 300, 13}, 0, font);
  Lbl7 = CreateLabel(SH8, L"Timed Shutdown works only in Windows XP, 2000 and NT!", {43, 342, 492, 23},
                     platformFont_.Get());
}

void ShutdownTool::DisarmShutdown() { TimedShutdownOn = false; }

void ShutdownTool::BtnShutClick() {
  TimedShutdownOn = !TimedShutdownOn;
  EnableWindow(ShutAika, !TimedShutdownOn);
  if (TimedShutdownOn) {
    const LocalTime now = LocalNow();
    trigger_.Arm(now);
    ShutAjastin.RunNextIn(static_cast<UINT>(MillisecondsToNextMinute(now)));
  } else {
    CancelWarning();
    ShutAjastin.SetEnabled(false);
  }
  SetLabelText(LblShut, TimedShutdownOn ? L"Timed Shutdown is ENABLED." : L"Timed Shutdown is disabled.");
  ShowTimeLine();
  host_.ArmedStateChanged();
}

// The time and the choice only: a shutdown armed at start would shut down again a computer that
// boots in its minute.
void ShutdownTool::StoreSettings(SettingsFile& file) const {
  WriteShutdownSettings({PickedMinuteOfDay(ShutAika), RebootChosen()}, file);
}

void ShutdownTool::RestoreSettings(const SettingsFile& file) {
  const ShutdownSettings settings = ReadShutdownSettings(file);
  if (settings.minuteOfDay) ShowMinuteOfDay(ShutAika, *settings.minuteOfDay);
  if (settings.reboot) {
    SetButtonChecked(Rd1, !*settings.reboot);
    SetButtonChecked(Rd2, *settings.reboot);
  }
}

bool ShutdownTool::RebootChosen() const { return IsButtonChecked(Rd2); }

void ShutdownTool::ChoiceChanged() {
  ShowTimeLine();
  host_.ArmedStateChanged();
}

// While the warning counts or is put off, its own choice is what the request will be.
std::optional<std::wstring> ShutdownTool::ArmedLine() const {
  if (!TimedShutdownOn) return std::nullopt;
  if (postponedTo_) return ShutdownTipLine(reboot_, *postponedTo_ / 60, *postponedTo_ % 60, true);
  const TimeOfDay set = PickedTime(ShutAika);
  return ShutdownTipLine(RebootChosen(), set.hour, set.minute, false);
}

std::wstring ShutdownTool::TimeLine() const {
  if (!TimedShutdownOn) return L"";
  if (postponedTo_) return ShutdownPostponedLine(reboot_, *postponedTo_ / 60, *postponedTo_ % 60);
  const TimeOfDay set = PickedTime(ShutAika);
  if (countdown_.Running()) return ShutdownDueLine(reboot_, set.hour, set.minute, 0);
  const LocalTime now = LocalNow();
  const int left = MinutesUntil(MinuteOfDay(now.hour, now.minute), MinuteOfDay(set.hour, set.minute));
  return ShutdownDueLine(RebootChosen(), set.hour, set.minute, left);
}

void ShutdownTool::ShowTimeLine() { SetWindowTextW(LblShutTime, TimeLine().c_str()); }

// Each event sets the next just after the next minute begins: the warning comes on its minute, and
// the clock's changes are followed at the next minute.
void ShutdownTool::ShutAjastinTimer() {
  const LocalTime now = LocalNow();
  ShutAjastin.RunNextIn(static_cast<UINT>(MillisecondsToNextMinute(now)));
  const TimeOfDay set = PickedTime(ShutAika);
  if (trigger_.Tick(now, set.hour, set.minute) && !countdown_.Running()) StartWarning();
  ShowTimeLine();
}

void ShutdownTool::StartWarning() {
  reboot_ = RebootChosen();
  countdown_.Start(SteadyMilliseconds());
  Countdown.SetEnabled(true);
  ShowWarning();
}

// Made anew each time, so that it takes the window fonts, scale and contrast of the moment.
void ShutdownTool::ShowWarning() {
  Warning = std::make_unique<ShutdownWarning>(
      host_.Window(), host_.Fonts().normal.Get(),
      ShutdownWarning::Actions{[this] { RequestShutdown(); }, [this] { PostponeWarning(); },
                               [this] { BtnShutClick(); }});
  const int seconds = countdown_.SecondsLeft(SteadyMilliseconds());
  Warning->Show(reboot_, seconds);
  host_.ShowTrayBalloon(ShutdownWarning::Text(reboot_, seconds), kBalloonTitle);
}

// Each balloon takes the place of the warning's, which still counts down: a press is never unseen.
void ShutdownTool::PostponeWarning() {
  countdown_.Postpone(SteadyMilliseconds());
  const LocalTime now = LocalNow();
  const int postponeMinutes = static_cast<int>(ShutdownCountdown::kPostponeMilliseconds / 60000);
  postponedTo_ = (MinuteOfDay(now.hour, now.minute) + postponeMinutes) % kMinutesPerDay;
  ShowTimeLine();
  host_.ArmedStateChanged();
  host_.ShowTrayBalloon(ShutdownWarning::PostponedText(reboot_), kBalloonTitle);
}

void ShutdownTool::CancelWarning() {
  if (!countdown_.Running()) return;
  StopWarning();
  host_.ShowTrayBalloon(ShutdownWarning::CancelledText(reboot_), kBalloonTitle);
}

void ShutdownTool::StopWarning() {
  countdown_.Stop();
  postponedTo_.reset();
  Countdown.SetEnabled(false);
  if (Warning) Warning->Hide();
}

void ShutdownTool::CountdownTimer() {
  const std::int64_t now = SteadyMilliseconds();
  switch (countdown_.Tick(now)) {
    case ShutdownCountdown::Step::Nothing:
      break;
    case ShutdownCountdown::Step::ShowWarning:
      ShowWarning();
      break;
    case ShutdownCountdown::Step::Count:
      if (Warning) Warning->ShowSecondsLeft(countdown_.SecondsLeft(now));
      break;
    case ShutdownCountdown::Step::Request:
      RequestShutdown();
      break;
  }
}

// The timed shutdown stays armed: the request may be refused, and then it comes again the next day.
void ShutdownTool::RequestShutdown() {
  StopWarning();
  ShowTimeLine();
  host_.ArmedStateChanged();
  if (BeforeShutdownRequest) BeforeShutdownRequest();
  ShutdownWindows(ShutdownFlags(reboot_ ? ShutdownChoice::Reboot : ShutdownChoice::PowerOff));
  RequestExitWindows(kLogOffFlags);  // still ends the session when the system refused the first request
}
