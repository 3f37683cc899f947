// The "Alarm Clock" page with real sounds through MCI (a null ALSA device under Wine) and a set clock.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/System.h"
#include "tests/support/FormTest.h"
#include "ui/Handlers.h"
#include "tools/alarm/AlarmTool.h"
#include "ui/TimePicker.h"

namespace {

std::wstring Beside(const wchar_t* name) { return ExecutableFolder() + name; }

class AlarmPage : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ShowPage(PageOf<AlarmTool>());
    SetClockReader([this] { return now; });
    SetSteadyClockReader([this] { return steady; });
  }
  AlarmTool& Alarm() { return form->ToolAs<AlarmTool>(); }
  void Press(const std::wstring& file) {
    SetWindowTextW(Alarm().EditAlarmFile, file.c_str());
    PostMessageW(Alarm().BtnSetAlarm, BM_CLICK, 0, 0);
    PumpMessages();
  }
  void TickAt(int minute) {
    now.minute = minute;
    SendMessageW(form->PageHandle(PageOf<AlarmTool>()), WM_TIMER, AlarmTool::kTimerAlarm, 0);
  }
  bool Playing() {
    MCI_STATUS_PARMS status{0, 0, MCI_STATUS_MODE, 0};
    mciSendCommandW(Alarm().Soitin.Device(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&status));
    return status.dwReturn == MCI_MODE_PLAY;
  }
  void ExpectSwitch(bool on, const wchar_t* status) {
    SCOPED_TRACE(testing::Message() << "the switch " << (on ? "on" : "off") << ", " << testing::PrintToString(status));
    EXPECT_EQ(Alarm().AlarmOn, on);
    EXPECT_EQ(Alarm().AlarmAjastin.Enabled(), on);
    EXPECT_EQ(WindowTextOf(Alarm().LblAlarmStatus), status);
    EXPECT_EQ(WindowTextOf(Alarm().BtnSetAlarm), on ? L"Set Alarm Off" : L"Set Alarm On");
    for (HWND control : {Alarm().EditAlarmFile, Alarm().TimeAlarm, Alarm().BtnAlarmFile})
      EXPECT_EQ(IsWindowEnabled(control) == FALSE, on);
  }

  void ArmFor0730() {
    ShowMinuteOfDay(Alarm().TimeAlarm, 7 * 60 + 30);
    now.minute = 29;
    Press(Beside(L"alarm-tone.wav"));
  }
  bool Ringing() { return Alarm().Ring && IsWindowVisible(Alarm().Ring->Handle) && Playing(); }
  // The user switches to the window and types the key, which the program's message loop passes on.
  void TypeIn(HWND window, WPARAM key) {
    SetForegroundWindow(window);
    MSG msg{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    if (!IsDialogMessageW(DialogKeysWindow(msg, form->Handle()), &msg)) DispatchMessageW(&msg);
    PumpMessages();
  }

  LocalTime now{2026, 12, 7, 7, 29, 30, 0};  // a Monday
  std::int64_t steady = 0;
};

}  // namespace

// The timer sets each event just after the next minute begins, so the alarm rings on its minute.
TEST_F(AlarmPage, RingsAtTheStartOfItsMinuteAndNotBefore) {
  ShowMinuteOfDay(Alarm().TimeAlarm, 7 * 60 + 30);
  Press(Beside(L"alarm-tone.wav"));  // at 07:29:30
  EXPECT_EQ(Alarm().AlarmAjastin.Interval(), 30250u);
  now.second = 59, now.millisecond = 900;
  SendMessageW(form->PageHandle(PageOf<AlarmTool>()), WM_TIMER, AlarmTool::kTimerAlarm, 0);
  EXPECT_TRUE(balloons.empty()) << "not before 07:30:00";
  EXPECT_EQ(Alarm().AlarmAjastin.Interval(), 350u);
  now.minute = 30, now.second = 0, now.millisecond = 250;
  SendMessageW(form->PageHandle(PageOf<AlarmTool>()), WM_TIMER, AlarmTool::kTimerAlarm, 0);
  EXPECT_EQ(balloons.size(), 1u);
  EXPECT_EQ(Alarm().AlarmAjastin.Interval(), 60000u);
  Press(Beside(L"alarm-tone.wav"));
}

TEST_F(AlarmPage, SwitchesOnWithAPlayableFileAndOffEvenWhenTheFileHasGone) {
  const TimeOfDay shown = PickedTime(Alarm().TimeAlarm);
  EXPECT_EQ(shown.hour * 3600 + shown.minute * 60 + shown.second, 12 * 3600);
  ExpectSwitch(false, L"Alarm is OFF");
  Press(Beside(L"alarm-tone.wav"));
  ExpectSwitch(true, L"Alarm is ON!");
  Press(Beside(L"gone.wav"));  // as when the file's drive has been removed
  ExpectSwitch(false, L"Alarm is OFF.");
  const std::wstring capitals = Beside(L"alarm-tone-copy.WAV");
  CopyFileW(Beside(L"alarm-tone.wav").c_str(), capitals.c_str(), FALSE);
  Press(capitals);
  ExpectSwitch(true, L"Alarm is ON!");
}

TEST_F(AlarmPage, RefusesWhatItCannotPlayAndStaysOff) {
  const std::wstring notSound = Beside(L"not-a-sound.wav"), notAudio = Beside(L"alarm-tone-copy.txt");
  WriteBytes(notSound, "This is no sound.");
  CopyFileW(Beside(L"alarm-tone.wav").c_str(), notAudio.c_str(), FALSE);
  const std::pair<std::wstring, const wchar_t*> cases[] = {
      {L"", L"Please select an audio file!"},
      {Beside(L"gone.wav"), L"The Selected audio file does not exist!"},
      {notAudio, L"Invalid file format! Wav and MP3 are supported."},
      {notSound, nullptr}};  // the error box with the device's own text
  for (const auto& [file, notice] : cases) {
    SCOPED_TRACE(testing::PrintToString(file));
    BoxRecorder boxes;
    Press(file);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].kind, notice ? BoxKind::Notice : BoxKind::Error);
    EXPECT_FALSE(boxes.Calls()[0].text.empty());
    if (notice) {
      EXPECT_EQ(boxes.Calls()[0].text, notice);
    }
    ExpectSwitch(false, L"Alarm is OFF");
  }
}

TEST_F(AlarmPage, PlaysWavAndMp3AndWakesOnceAtTheSetMinute) {
  SYSTEMTIME time{2000, 1, 6, 1, 7, 30, 0, 0};
  SendMessageW(Alarm().TimeAlarm, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  // Names outside the ANSI code page, which the wave-audio device cannot find by themselves.
  const wchar_t* cyrillic = L"\u0411\u0443\u0434\u0438\u043B\u044C\u043D\u0438\u043A.wav";
  const wchar_t* emoji = L"alarm \U0001F514.wav";
  for (const wchar_t* copy : {cyrillic, emoji})
    CopyFileW(Beside(L"alarm-tone.wav").c_str(), Beside(copy).c_str(), FALSE);
  for (const wchar_t* sound : {L"alarm-tone.wav", L"alarm-tone.mp3", cyrillic, emoji}) {
    SCOPED_TRACE(testing::PrintToString(sound));
    balloons.clear();
    now.minute = 29;
    Press(Beside(sound));
    TickAt(30);
    EXPECT_TRUE(Playing()) << testing::PrintToString(sound);
    TickAt(31);
    EXPECT_EQ(balloons, (decltype(balloons){{L"Wake Up!", L"Alarm Clock"}}));
    Press(Beside(sound));
    EXPECT_FALSE(Playing()) << "switching off silences it";
  }
}

// Enter snoozes (the default button), Esc stops; the window leaves the keyboard where it was until the
// user switches to it.
TEST_F(AlarmPage, SnoozeRingsAgainAfterItsTimeAndStopKeepsTheAlarmForTheNextDay) {
  ArmFor0730();
  TickAt(30);
  ASSERT_TRUE(Ringing());
  EXPECT_EQ(WindowTextOf(Alarm().Ring->LblText), L"Wake up! It is 07:30.");
  EXPECT_FALSE(IsChild(Alarm().Ring->Handle, GetFocus()));
  SetForegroundWindow(Alarm().Ring->Handle);
  EXPECT_EQ(GetFocus(), Alarm().Ring->BtnSnooze);
  TypeIn(Alarm().Ring->Handle, VK_RETURN);
  EXPECT_FALSE(Alarm().Ring && IsWindowVisible(Alarm().Ring->Handle));
  EXPECT_FALSE(Playing());
  EXPECT_EQ(tip, L"Quoxel\nAlarm: 07:40 (snoozed)");
  TickAt(39);
  EXPECT_FALSE(Ringing());
  TickAt(40);
  ASSERT_TRUE(Ringing()) << "after 10 minutes, the default";
  EXPECT_EQ(WindowTextOf(Alarm().Ring->LblText), L"Wake up! It is 07:40.");
  EXPECT_EQ(tip, L"Quoxel\nAlarm: 07:30");
  TypeIn(Alarm().Ring->Handle, VK_ESCAPE);
  EXPECT_FALSE(Playing());
  ExpectSwitch(true, L"Alarm is ON!");
  now.day = 8;
  TickAt(30);
  EXPECT_TRUE(Ringing()) << "the next day";
  Press(Beside(L"alarm-tone.wav"));
  EXPECT_FALSE(IsWindowVisible(Alarm().Ring->Handle)) << "switching off silences it";
}

TEST_F(AlarmPage, WeekdaysSkipTheWeekendAndOnceSwitchesOffWhenStopped) {
  Alarm().CboRepeat.Choose(AlarmRepeat::Weekdays);
  now.day = 12;  // a Saturday
  ArmFor0730();
  TickAt(30);
  EXPECT_TRUE(balloons.empty());
  Alarm().CboRepeat.Choose(AlarmRepeat::Once);
  now.day = 13;
  TickAt(30);
  ASSERT_TRUE(Ringing());
  PostMessageW(Alarm().Ring->BtnStop, BM_CLICK, 0, 0);
  PumpMessages();
  ExpectSwitch(false, L"Alarm is OFF.");
}

TEST_F(AlarmPage, TheSoundStartsAgainAtItsEndForTenMinutesOnTheSteadyClock) {
  ArmFor0730();
  TickAt(30);
  const DWORD start = GetTickCount();
  bool again = false;  // the tone lasts 3 seconds
  while (!again && GetTickCount() - start < 5000) {
    PumpMessages();
    again = GetTickCount() - start > 3500 && Ringing();
    Sleep(20);
  }
  EXPECT_TRUE(again) << "played again from the start";
  steady = 4 * 60 * 1000;  // an early event, as after the clock was set back
  SendMessageW(form->PageHandle(PageOf<AlarmTool>()), WM_TIMER, AlarmTool::kTimerRingLimit, 0);
  EXPECT_TRUE(Ringing());
  EXPECT_EQ(Alarm().RingLimit.Interval(), 6u * 60 * 1000);
  steady = 10 * 60 * 1000;
  SendMessageW(form->PageHandle(PageOf<AlarmTool>()), WM_TIMER, AlarmTool::kTimerRingLimit, 0);
  EXPECT_FALSE(Playing());
  EXPECT_FALSE(IsWindowVisible(Alarm().Ring->Handle));
  ExpectSwitch(true, L"Alarm is ON!");
}
