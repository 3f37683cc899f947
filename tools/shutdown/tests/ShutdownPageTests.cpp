// The "Timed Shutdown" page with a set clock; the requests to end the session are recorded, never sent.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Shutdown.h"
#include "tests/support/FormTest.h"
#include "tools/shutdown/ShutdownTool.h"
#include "ui/Handlers.h"
#include "ui/TimePicker.h"

namespace {

class ShutdownPage : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ShowPage(PageOf<ShutdownTool>());
    SetClockReader([this] { return now; });
    SetExitWindowsTaker([this](UINT flags, bool privileged) {
      requests.push_back(std::to_wstring(flags) + (privileged ? L" privileged" : L""));
      return false;
    });
    Shutdown().BeforeShutdownRequest = [this] { requests.push_back(L"saved"); };
  }
  ShutdownTool& Shutdown() { return form->ToolAs<ShutdownTool>(); }
  void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
    PumpMessages();
  }
  void TickAt(int hour, int minute) {
    now.hour = hour, now.minute = minute, now.second = 0;
    SendMessageW(form->PageHandle(PageOf<ShutdownTool>()), WM_TIMER, ShutdownTool::kTimerShutdown, 0);
  }
  // The countdown's second, in the set hour.
  void CountAt(int minute, int second, int millisecond = 0) {
    now.minute = minute, now.second = second, now.millisecond = millisecond;
    SendMessageW(form->PageHandle(PageOf<ShutdownTool>()), WM_TIMER, ShutdownTool::kTimerCountdown, 0);
  }
  // Arms the shutdown for 23:00 and lets its minute come.
  void WarnAt2300() {
    SYSTEMTIME time{2000, 1, 6, 1, 23, 0, 59, 0};  // the seconds play no part
    SendMessageW(Shutdown().ShutAika, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    Click(Shutdown().BtnShut);
    TickAt(23, 0);
  }
  bool WarningShown() { return Shutdown().Warning && IsWindowVisible(Shutdown().Warning->Handle); }
  std::wstring WarningText() { return WindowTextOf(Shutdown().Warning->LblText); }
  // The dialog key as the program's message loop passes it.
  void PressInWarning(WPARAM key) {
    MSG msg{Shutdown().Warning->BtnPostpone, WM_KEYDOWN, key, 0, 0, {}};
    IsDialogMessageW(DialogKeysWindow(msg, form->Handle()), &msg);
    PumpMessages();
  }

  LocalTime now{2026, 12, 7, 22, 59, 40, 0};
  std::vector<std::wstring> requests;
};

}  // namespace

TEST_F(ShutdownPage, ToggleArmsAndDisarmsWithItsLabelInItsColour) {
  const TimeOfDay shown = PickedTime(Shutdown().ShutAika);
  EXPECT_EQ(shown.hour * 3600 + shown.minute * 60 + shown.second, 12 * 3600);
  EXPECT_EQ(SendMessageW(Shutdown().Rd1, BM_GETCHECK, 0, 0), BST_CHECKED);
  const HDC dc = CreateCompatibleDC(nullptr);
  for (const bool armed : {false, true, false}) {
    EXPECT_EQ(Shutdown().TimedShutdownOn, armed);
    EXPECT_EQ(Shutdown().ShutAjastin.Enabled(), armed);
    EXPECT_EQ(IsWindowEnabled(Shutdown().ShutAika) == FALSE, armed);
    EXPECT_EQ(WindowTextOf(Shutdown().LblShut), armed ? L"Timed Shutdown is ENABLED." : L"Timed Shutdown is disabled.");
    const auto label = reinterpret_cast<LPARAM>(Shutdown().LblShut);
    SendMessageW(form->PageHandle(PageOf<ShutdownTool>()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), label);
    EXPECT_EQ(GetTextColor(dc), armed ? RGB(0, 128, 0) : RGB(128, 0, 0));
    Click(Shutdown().BtnShut);
  }
  DeleteDC(dc);
}

TEST_F(ShutdownPage, AtTheSetMinuteWarnsEvenFromTheTrayThenSavesAndSendsTheChoiceAtZero) {
  ShowWindow(form->Handle(), SW_HIDE);
  WarnAt2300();
  for (HWND choice : {Shutdown().Rd1, Shutdown().Rd2}) {
    requests.clear();
    Click(choice);  // while armed
    const bool reboot = choice == Shutdown().Rd2;
    if (reboot) TickAt(23, 0);
    ASSERT_TRUE(WarningShown());
    EXPECT_TRUE(GetWindowLongW(Shutdown().Warning->Handle, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const std::wstring text = ShutdownWarning::Text(reboot, 60);
    EXPECT_EQ(text, reboot ? L"Quoxel will restart the computer in 60 seconds. Save your work."
                           : L"Quoxel will shut down the computer in 60 seconds. Save your work.");
    EXPECT_EQ(WarningText(), text);
    EXPECT_EQ(balloons.back(), std::make_pair(text, std::wstring(L"Timed Shutdown")));
    EXPECT_EQ(WindowTextOf(Shutdown().Warning->BtnNow), reboot ? L"Restart now" : L"Shut down now");
    CountAt(0, 1);
    EXPECT_EQ(WarningText(), ShutdownWarning::Text(reboot, 59));
    CountAt(0, 59, 999);
    EXPECT_EQ(WarningText(), ShutdownWarning::Text(reboot, 1));
    EXPECT_TRUE(requests.empty());
    CountAt(1, 0);
    EXPECT_EQ(requests, (std::vector<std::wstring>{L"saved", reboot ? L"6 privileged" : L"12 privileged", L"0"}));
    EXPECT_FALSE(WarningShown());
    CountAt(1, 1);
    EXPECT_EQ(requests.size(), 3u);
    EXPECT_TRUE(Shutdown().TimedShutdownOn);
    ++now.day;  // the next day's minute warns again
  }
}

TEST_F(ShutdownPage, PostponeMovesTheRequestTenMinutesWithTheSameWarning) {
  WarnAt2300();
  CountAt(0, 10);
  PressInWarning(VK_RETURN);  // the default button
  EXPECT_FALSE(WarningShown());
  CountAt(9, 9);
  EXPECT_FALSE(WarningShown());
  CountAt(9, 10);
  EXPECT_TRUE(WarningShown());
  EXPECT_EQ(WarningText(), ShutdownWarning::Text(false, 60));
  EXPECT_EQ(balloons.size(), 2u);
  CountAt(10, 9);
  EXPECT_TRUE(requests.empty());
  CountAt(10, 10);
  EXPECT_EQ(requests.size(), 3u);
}

TEST_F(ShutdownPage, CancelOrEscDisarmsAsToggleDoes) {
  for (const bool byKey : {false, true}) {
    WarnAt2300();
    if (byKey) PressInWarning(VK_ESCAPE);
    if (!byKey) Click(Shutdown().Warning->BtnCancel);
    EXPECT_FALSE(WarningShown());
    EXPECT_FALSE(Shutdown().TimedShutdownOn);
    EXPECT_FALSE(Shutdown().Countdown.Enabled());
    EXPECT_EQ(WindowTextOf(Shutdown().LblShut), L"Timed Shutdown is disabled.");
    CountAt(2, 0);
    EXPECT_TRUE(requests.empty());
  }
}

TEST_F(ShutdownPage, TheButtonForNowRequestsOnce) {
  WarnAt2300();
  Click(Shutdown().Warning->BtnNow);
  EXPECT_EQ(requests, (std::vector<std::wstring>{L"saved", L"12 privileged", L"0"}));
  EXPECT_FALSE(WarningShown());
  CountAt(1, 0);
  EXPECT_EQ(requests.size(), 3u);
}
