// The "Alarm Clock" page with real sounds through MCI (a null ALSA device under Wine) and a set clock.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/System.h"
#include "tests/support/FormTest.h"
#include "tools/alarm/AlarmTool.h"
#include "ui/Controls.h"
#include "ui/TimePicker.h"

namespace {

std::wstring Sound(const wchar_t* extension) { return ExecutableFolder() + L"alarm-tone" + extension; }

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

std::wstring ScratchCopy(const std::wstring& source, const wchar_t* name) {
  const std::wstring copy = TempFile(name);
  CopyFileW(source.c_str(), copy.c_str(), FALSE);
  return copy;
}

class AlarmPage : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    SetClockReader([this] { return now; });
    ClickTab(form->Tabit, kPageAlarm);
  }
  void TearDown() override {
    SetClockReader(nullptr);
    FormTest::TearDown();
  }
  AlarmTool& Alarm() { return form->Alarm(); }
  void SetAlarmTime(WORD hour, WORD minute) {
    SYSTEMTIME time{2000, 1, 6, 1, hour, minute, 0, 0};
    SendMessageW(Alarm().TimeAlarm, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  }
  void ClickSetAlarm(const std::wstring& file) {
    SetWindowTextW(Alarm().EditAlarmFile, file.c_str());
    PostMessageW(Alarm().BtnSetAlarm, BM_CLICK, 0, 0);
    PumpMessages();
  }
  void TickAt(int hour, int minute, int second) {
    now = LocalTime{2026, 12, 7, hour, minute, second, 0};
    SendMessageW(form->SH6, WM_TIMER, AlarmTool::kTimerAlarm, 0);
  }
  DWORD PlayerMode() {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    mciSendCommandW(Alarm().Soitin.Device(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&status));
    return static_cast<DWORD>(status.dwReturn);
  }
  bool ControlsEnabled() {
    return IsWindowEnabled(Alarm().EditAlarmFile) && IsWindowEnabled(Alarm().TimeAlarm) &&
           IsWindowEnabled(Alarm().BtnAlarmFile);
  }

  LocalTime now{2026, 12, 7, 7, 29, 30, 0};
};

}  // namespace

TEST_F(AlarmPage, TheDialogOffersBothFormatsAndFillsTheEdit) {
  SetFileDialogAnswerer([](const FileDialog& dialog) {
    EXPECT_EQ(dialog.filter, L"Audio files (MP3 and Wav)|*.mp3;*.wav");
    return std::optional<std::vector<std::wstring>>({L"C:\\sounds\\wake.mp3"});
  });
  PostMessageW(Alarm().BtnAlarmFile, BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_EQ(WindowTextOf(Alarm().EditAlarmFile), L"C:\\sounds\\wake.mp3");
}

TEST_F(AlarmPage, SwitchesOnAndOffWithItsLabelsAndControls) {
  EXPECT_EQ(WindowTextOf(Alarm().LblAlarmStatus), L"Alarm is OFF");
  const TimeOfDay shown = PickedTime(Alarm().TimeAlarm);
  EXPECT_EQ(shown.hour * 10000 + shown.minute * 100 + shown.second, 120000);
  ClickSetAlarm(Sound(L".wav"));
  EXPECT_TRUE(Alarm().AlarmOn);
  EXPECT_TRUE(Alarm().AlarmAjastin.Enabled());
  EXPECT_TRUE(Alarm().Soitin.IsOpen());
  EXPECT_EQ(WindowTextOf(Alarm().LblAlarmStatus), L"Alarm is ON!");
  EXPECT_EQ(WindowTextOf(Alarm().BtnSetAlarm), L"Set Alarm Off");
  EXPECT_FALSE(IsWindowEnabled(Alarm().EditAlarmFile));
  EXPECT_FALSE(IsWindowEnabled(Alarm().TimeAlarm));
  EXPECT_FALSE(IsWindowEnabled(Alarm().BtnAlarmFile));
  ClickSetAlarm(Sound(L".wav"));
  EXPECT_FALSE(Alarm().AlarmOn);
  EXPECT_FALSE(Alarm().AlarmAjastin.Enabled());
  EXPECT_EQ(WindowTextOf(Alarm().LblAlarmStatus), L"Alarm is OFF.");
  EXPECT_EQ(WindowTextOf(Alarm().BtnSetAlarm), L"Set Alarm On");
  EXPECT_TRUE(ControlsEnabled());
}

TEST_F(AlarmPage, RefusesAFileItCannotPlayAndStaysOff) {
  const std::wstring notAudio = TempFile(L"quoxel-alarm-not-audio.wav");
  WriteBytes(notAudio, "This is no sound.");
  const struct {
    std::wstring file;
    BoxKind kind;
    const wchar_t* text;
  } cases[] = {
      {L"", BoxKind::Notice, L"Please select an audio file!"},
      {Sound(L".gone.wav"), BoxKind::Notice, L"The Selected audio file does not exist!"},
      {ScratchCopy(Sound(L".wav"), L"quoxel-alarm-tone.WAV"), BoxKind::Notice,
       L"Invalid file format! Wav and MP3 are supported."},
      {notAudio, BoxKind::Error, nullptr},
  };
  for (const auto& c : cases) {
    BoxRecorder boxes;
    ClickSetAlarm(c.file);
    ASSERT_EQ(boxes.Calls().size(), 1u) << testing::PrintToString(c.file);
    EXPECT_EQ(boxes.Calls()[0].kind, c.kind);
    if (c.text)
      EXPECT_EQ(boxes.Calls()[0].text, c.text);
    else
      EXPECT_FALSE(boxes.Calls()[0].text.empty()) << "the device's own text";
    EXPECT_FALSE(Alarm().AlarmOn) << testing::PrintToString(c.file);
    EXPECT_FALSE(Alarm().AlarmAjastin.Enabled());
    EXPECT_EQ(WindowTextOf(Alarm().LblAlarmStatus), L"Alarm is OFF");
    EXPECT_TRUE(ControlsEnabled());
  }
  DeleteFileW(notAudio.c_str());
}

TEST_F(AlarmPage, PlaysAndWakesAtTheSetMinuteOnce) {
  for (const wchar_t* extension : {L".wav", L".mp3"}) {
    balloons.clear();
    SetAlarmTime(7, 30);
    now = LocalTime{2026, 12, 7, 7, 29, 30, 0};
    ClickSetAlarm(Sound(extension));
    ASSERT_TRUE(Alarm().AlarmOn) << testing::PrintToString(extension);
    TickAt(7, 30, 30);
    EXPECT_EQ(PlayerMode(), static_cast<DWORD>(MCI_MODE_PLAY)) << testing::PrintToString(extension);
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0], std::make_pair(std::wstring(L"Wake Up!"), std::wstring(L"Alarm Clock")));
    TickAt(7, 31, 30);
    EXPECT_EQ(balloons.size(), 1u);
    ClickSetAlarm(Sound(extension));
    EXPECT_NE(PlayerMode(), static_cast<DWORD>(MCI_MODE_PLAY)) << "switching off silences it";
  }
}

TEST_F(AlarmPage, SwitchesOffAfterItsFileHasGone) {
  ClickSetAlarm(Sound(L".wav"));
  ASSERT_TRUE(Alarm().AlarmOn);
  BoxRecorder boxes;
  ClickSetAlarm(Sound(L".gone.wav"));  // as if the file's drive had been removed
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_FALSE(Alarm().AlarmOn);
  EXPECT_EQ(WindowTextOf(Alarm().LblAlarmStatus), L"Alarm is OFF.");
}
