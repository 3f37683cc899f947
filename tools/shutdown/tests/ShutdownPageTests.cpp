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
    SetSteadyClockReader([this] { return steady; });
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
  // The timer's event at 23:minute:second of the clock.
  void TickAt(UINT_PTR timer, int minute, int second = 0, int millisecond = 0) {
    now.hour = 23, now.minute = minute, now.second = second, now.millisecond = millisecond;
    steady = (minute * 60 + second) * 1000 + millisecond;
    SendMessageW(form->PageHandle(PageOf<ShutdownTool>()), WM_TIMER, timer, 0);
  }
  // The second's timer at 23:minute:second on the steady clock; the wall clock stays where it was.
  void CountAt(int minute, int second, int millisecond = 0) {
    steady = (minute * 60 + second) * 1000 + millisecond;
    SendMessageW(form->PageHandle(PageOf<ShutdownTool>()), WM_TIMER, ShutdownTool::kTimerCountdown, 0);
  }
  void ArmFor2300() {
    now.hour = 22, now.minute = 59;
    SYSTEMTIME time{2000, 1, 6, 1, 23, 0, 59, 0};  // the seconds play no part
    SendMessageW(Shutdown().ShutAika, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    Click(Shutdown().BtnShut);
  }
  bool WarningShown() { return Shutdown().Warning && IsWindowVisible(Shutdown().Warning->Handle); }
  std::wstring WarningText() { return WindowTextOf(Shutdown().Warning->LblText); }
  // The user switches to the window and types the key, which the program's message loop passes on.
  void TypeIn(HWND window, WPARAM key) {
    SetForegroundWindow(window);
    MSG msg{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    if (!IsDialogMessageW(DialogKeysWindow(msg, form->Handle()), &msg)) DispatchMessageW(&msg);
    PumpMessages();
  }

  LocalTime now{2026, 12, 7, 22, 59, 40, 0};
  std::int64_t steady = 0;
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
  ArmFor2300();
  for (const bool reboot : {false, true}) {
    SCOPED_TRACE(reboot ? "reboot" : "shutdown");
    requests.clear();
    Click(reboot ? Shutdown().Rd2 : Shutdown().Rd1);  // while armed
    TickAt(ShutdownTool::kTimerShutdown, 0);
    ASSERT_TRUE(WarningShown());
    const std::wstring text = reboot ? L"Quoxel will restart the computer in 60 seconds. Save your work."
                                     : L"Quoxel will shut down the computer in 60 seconds. Save your work.";
    EXPECT_EQ(WarningText(), text);
    EXPECT_EQ(balloons.back(), std::make_pair(text, std::wstring(L"Timed Shutdown")));
    EXPECT_EQ(WindowTextOf(Shutdown().Warning->BtnNow), reboot ? L"Restart now" : L"Shut down now");
    CountAt(0, 59, 999);
    EXPECT_NE(WarningText().find(L" in 1 second. "), std::wstring::npos);
    EXPECT_TRUE(requests.empty());
    CountAt(1, 0);
    EXPECT_EQ(requests, (std::vector<std::wstring>{L"saved", reboot ? L"6 privileged" : L"12 privileged", L"0"}));
    EXPECT_FALSE(WarningShown());
    EXPECT_TRUE(Shutdown().TimedShutdownOn);
    ++now.day;
  }
}

TEST_F(ShutdownPage, EnterPostponesTheRequestTenMinutesWithTheSameWarningWhateverTheWallClockSays) {
  ArmFor2300();
  TickAt(ShutdownTool::kTimerShutdown, 0);
  now.hour = 22;  // set back an hour, then on again
  CountAt(0, 6);
  EXPECT_EQ(WarningText(), ShutdownWarning::Text(false, 54));
  CountAt(0, 10);
  TypeIn(Shutdown().Warning->Handle, VK_RETURN);
  EXPECT_EQ(balloons.back().first, L"Shutdown postponed: Quoxel will shut down the computer in 10 minutes.");
  now.hour = 23;
  CountAt(9, 9);
  EXPECT_FALSE(WarningShown());
  CountAt(9, 10);
  EXPECT_EQ(WarningShown() ? WarningText() : L"", ShutdownWarning::Text(false, 60));
  EXPECT_EQ(balloons.size(), 3u);
  CountAt(10, 9);
  EXPECT_TRUE(requests.empty());
  CountAt(10, 10);
  EXPECT_EQ(requests.size(), 3u);
}

TEST_F(ShutdownPage, CancelOrEscDisarmsAsToggleDoes) {
  for (const bool byKey : {false, true}) {
    SCOPED_TRACE(byKey ? "by Esc" : "by the button");
    ArmFor2300();
    TickAt(ShutdownTool::kTimerShutdown, 0);
    byKey ? TypeIn(Shutdown().Warning->Handle, VK_ESCAPE) : Click(Shutdown().Warning->BtnCancel);
    EXPECT_FALSE(WarningShown());
    EXPECT_EQ(WindowTextOf(Shutdown().LblShut), L"Timed Shutdown is disabled.");
    EXPECT_EQ(balloons.back().first, L"Shutdown cancelled: Timed Shutdown is disabled.");
    CountAt(2, 0);
    EXPECT_TRUE(requests.empty());
  }
}

TEST_F(ShutdownPage, TheButtonForNowRequestsOnce) {
  ArmFor2300();
  TickAt(ShutdownTool::kTimerShutdown, 0);
  Click(Shutdown().Warning->BtnNow);
  CountAt(1, 0);
  EXPECT_EQ(requests, (std::vector<std::wstring>{L"saved", L"12 privileged", L"0"}));
}

TEST_F(ShutdownPage, TheWarningLeavesTheKeysToTheWindowInFront) {
  ArmFor2300();
  const HWND other =
      CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  TickAt(ShutdownTool::kTimerShutdown, 0);
  EXPECT_EQ(GetFocus(), other);
  for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) TypeIn(other, key);
  CountAt(0, 1);
  EXPECT_EQ(WarningShown() ? WarningText() : L"", ShutdownWarning::Text(false, 59));
  SetForegroundWindow(Shutdown().Warning->Handle);  // the user switches to it
  EXPECT_EQ(GetFocus(), Shutdown().Warning->BtnPostpone);
  DestroyWindow(other);
}

TEST_F(ShutdownPage, ThePageAndTheTipShowWhenItComesAndThePostponedTime) {
  const auto line = [this] { return WindowTextOf(Shutdown().LblShutTime); };
  ArmFor2300();  // at 22:59:40
  EXPECT_EQ(Shutdown().ShutAjastin.Interval(), 20250u) << "its next event just after 23:00:00";
  EXPECT_EQ(line(), L"Shutdown at 23:00 (in 1 min)");
  TickAt(ShutdownTool::kTimerShutdown, 0, 30);
  EXPECT_EQ(line(), L"Shutdown at 23:00 (now)");
  TypeIn(Shutdown().Warning->Handle, VK_RETURN);
  EXPECT_EQ(line(), L"Shutdown at 23:10 (postponed)");
  EXPECT_EQ(tip, L"Quoxel\nShutdown: 23:10 (postponed)");
  CountAt(9, 30);
  CountAt(10, 30);  // the request, refused
  TickAt(ShutdownTool::kTimerShutdown, 11);
  EXPECT_EQ(line(), L"Shutdown at 23:00 (in 23 h 49 min)");
  EXPECT_EQ(tip, L"Quoxel\nShutdown: 23:00");
  Click(Shutdown().BtnShut);
  EXPECT_EQ(line(), L"");
}
