// The tray's "Remember settings": the tools' values kept in Data\settings.ini across a restart.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "platform/Handles.h"
#include "tests/support/FormTest.h"
#include "tools/alarm/AlarmTool.h"
#include "tools/disk/DiskTool.h"
#include "tools/renamer/RenamerTool.h"
#include "tools/shutdown/ShutdownTool.h"
#include "ui/TimePicker.h"

namespace {

class RememberSettings : public FormTest {
 protected:
  void SetUp() override {}  // each test starts the program when its files are ready
  std::wstring ProgramFolder() const override { return data.ProgramFolder(); }
  void Start() {
    form.reset();
    FormTest::SetUp();
  }
  void Command(int id) {
    PostMessageW(form->Handle(), WM_COMMAND, id, 0);
    PumpMessages();
  }
  void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
    PumpMessages();
  }
  // As the picker reports the user's change of its time.
  void PickTime(HWND picker, TimeOfDay time) {
    ShowPickedTime(picker, time);
    NMHDR change{picker, static_cast<UINT_PTR>(GetDlgCtrlID(picker)), DTN_DATETIMECHANGE};
    SendMessageW(GetParent(picker), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
  }
  std::wstring Threshold(const wchar_t* whole, const wchar_t* fraction) const {
    return whole + std::wstring(1, UserDecimalSeparator()) + fraction;
  }

  ScratchDataFolder data{L"settings"};
};

}  // namespace

TEST_F(RememberSettings, ValuesAndArmedStatesComeBackAfterARestartButTheShutdownStaysOff) {
  Start();
  Command(kCmdRememberSettings1);
  ASSERT_TRUE(FileExists(data.File(L"settings.ini")));
  for (int page : {PageOf<DiskTool>(), PageOf<AlarmTool>(), PageOf<ShutdownTool>(), PageOf<RenamerTool>()})
    ShowPage(page);
  DiskTool& disk = form->ToolAs<DiskTool>();
  SetWindowTextW(disk.EditAA, Threshold(L"7", L"5").c_str());
  disk.CboAD.Choose(L'Q');
  Click(disk.ChkSAlert);
  SendMessageW(disk.Cbo_SC, CB_SETCURSEL, 7, 0);
  AlarmTool& alarm = form->ToolAs<AlarmTool>();
  SetWindowTextW(alarm.EditAlarmFile, (ExecutableFolder() + L"alarm-tone.wav").c_str());
  PickTime(alarm.TimeAlarm, {7, 30, 0});
  Click(alarm.BtnSetAlarm);
  ShutdownTool& shutdown = form->ToolAs<ShutdownTool>();
  PickTime(shutdown.ShutAika, {23, 0, 0});
  Click(shutdown.Rd2);
  Click(shutdown.BtnShut);
  RenamerTool& renamer = form->ToolAs<RenamerTool>();
  SetWindowTextW(renamer.EditRen, L"C:\\Kuvat\\loma*.jpg");
  Click(renamer.ChkCopy);

  Start();
  EXPECT_EQ(tip, L"Quoxel\nAlert: Q: below " + Threshold(L"7", L"5") + L" GB\nAlarm: 07:30");
  EXPECT_TRUE(IsButtonChecked(form->ToolAs<DiskTool>().ChkSAlert));
  EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().Cbo_SC), L"12");
  EXPECT_EQ(WindowTextOf(form->ToolAs<AlarmTool>().LblAlarmStatus), L"Alarm is ON!");
  EXPECT_FALSE(form->ToolAs<AlarmTool>().Soitin.IsOpen()) << "no start waits for the audio file";
  EXPECT_FALSE(form->ToolAs<ShutdownTool>().TimedShutdownOn);
  EXPECT_EQ(PickedTime(form->ToolAs<ShutdownTool>().ShutAika).hour, 23);
  EXPECT_TRUE(IsButtonChecked(form->ToolAs<ShutdownTool>().Rd2));
  EXPECT_EQ(WindowTextOf(form->ToolAs<RenamerTool>().EditRen), L"C:\\Kuvat\\loma*.jpg");
  EXPECT_TRUE(IsButtonChecked(form->ToolAs<RenamerTool>().ChkCopy));

  Command(kCmdRememberSettings1);
  EXPECT_FALSE(FileExists(data.File(L"settings.ini")));
  Start();
  EXPECT_EQ(tip, L"Quoxel");
  EXPECT_EQ(form->PageHandle(PageOf<DiskTool>()), nullptr) << "no page is made at a start that remembers nothing";
}

TEST_F(RememberSettings, AnArmedAlertComesBackOnItsDriveInTheBoxAndTheWatch) {
  WriteBytes(data.File(L"settings.ini"), "\xEF\xBB\xBF[Alert]\r\nDrive=Q\r\nThreshold=7\r\nArmed=1\r\n");
  Start();
  DiskTool& disk = form->ToolAs<DiskTool>();
  EXPECT_EQ(tip, L"Quoxel\nAlert: Q: below 7 GB");
  EXPECT_EQ(WindowTextOf(disk.CboAD.Handle()), L"Q:");
  EXPECT_FALSE(IsWindowEnabled(disk.CboAD.Handle()));
  ShowPage(PageOf<DiskTool>());
  EXPECT_EQ(WindowTextOf(disk.CboAD.Handle()), L"Q:") << "the page's refill keeps the drive";
  Click(disk.ChkSAlert);
  EXPECT_TRUE(IsWindowEnabled(disk.CboAD.Handle()));
  Click(disk.ChkSAlert);
  EXPECT_EQ(tip, L"Quoxel\nAlert: Q: below 7 GB") << "armed again on the drive the box shows";
}

TEST_F(RememberSettings, AnAlarmWhoseFileWentAndAThresholdArmingRefusesStayOffWithoutABox) {
  WriteBytes(data.File(L"settings.ini"),
             "\xEF\xBB\xBF[Alert]\r\nDrive=Q\r\nThreshold=abc\r\nArmed=1\r\n"
             "[Alarm]\r\nTime=07:30\r\nSound=C:\\gone\\wake.wav\r\nArmed=1\r\n");
  Start();  // a box would fail the test
  EXPECT_EQ(tip, L"Quoxel");
  EXPECT_FALSE(IsButtonChecked(form->ToolAs<DiskTool>().ChkSAlert));
  ASSERT_EQ(balloons.size(), 1u);
  EXPECT_EQ(balloons[0].first, L"The alarm is off: its audio file is not there any more: C:\\gone\\wake.wav");
}

// A file saved again by an editor still reads; one that cannot be read is left as it is for the run.
TEST_F(RememberSettings, AnEditorsEncodingReadsAndAnUnreadableFileIsNeverWrittenOver) {
  const std::string text = "[LargestFiles]\r\nCount=12\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : text) utf16 += {c, '\0'};
  const struct {
    const char* row;
    std::string bytes;
    bool heldOpen, read;
  } cases[] = {
      {"UTF-8 without its mark", text, false, true},
      {"UTF-16", utf16, false, true},
      {"held open by another program", "\xEF\xBB\xBF" + text, true, false},
      {"a text value that is not UTF-8", "\xEF\xBB\xBF" + text + "[Renamer]\r\nPattern=C:\\\xC3*.txt\r\n", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    const std::wstring path = data.File(L"settings.ini");
    WriteBytes(path, c.bytes);
    {
      ScopedHandle holder(c.heldOpen ? CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                     : INVALID_HANDLE_VALUE);
      balloons.clear();
      Start();
    }
    ShowPage(PageOf<DiskTool>());
    EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().Cbo_SC), c.read ? L"12" : L"5");
    EXPECT_EQ(balloons.size(), c.read ? 0u : 1u);
    ShowPage(PageOf<RenamerTool>());
    SetWindowTextW(form->ToolAs<RenamerTool>().EditRen, L"C:\\a*.txt");  // a change, saved unless unreadable
    const std::string saved = ReadBytes(path);
    if (c.read) {
      EXPECT_NE(saved.find("[LargestFiles]\r\nCount=12\r\n"), std::string::npos) << saved;
      EXPECT_NE(saved.find("[Renamer]\r\nPattern=C:\\a*.txt\r\n"), std::string::npos) << saved;
    } else {
      EXPECT_EQ(saved, c.bytes);
    }
  }
  EXPECT_EQ(balloons.at(0).second, L"Settings not taken back");
}

TEST_F(RememberSettings, AFolderInTheFilesPlaceIsNamedInTheBox) {
  ASSERT_TRUE(CreateDirectoryW(data.File(L"settings.ini").c_str(), nullptr));
  Start();
  BoxRecorder boxes;
  Command(kCmdRememberSettings1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_NE(boxes.Calls()[0].text.find(L"A folder has that name."), std::wstring::npos) << boxes.Calls()[0].text;
  RemoveDirectoryW(data.File(L"settings.ini").c_str());
}
