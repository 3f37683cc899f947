// The "Timed Shutdown" page with a set clock; the requests to end the session are recorded, never sent.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Shutdown.h"
#include "tests/support/FormTest.h"
#include "tools/shutdown/ShutdownTool.h"
#include "ui/Controls.h"
#include "ui/TimePicker.h"

namespace {

using Requests = std::vector<std::wstring>;

class ShutdownPage : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    SetClockReader([this] { return now; });
    SetExitWindowsTaker([this](UINT flags, bool privileged) {
      requests.push_back(std::to_wstring(flags) + (privileged ? L" privileged" : L""));
      return false;
    });
    Shutdown().BeforeShutdownRequest = [this] { requests.push_back(L"saved"); };
    ClickTab(form->Tabit, kPageShutdown);
  }
  void TearDown() override {
    SetClockReader(nullptr);
    FormTest::TearDown();
  }
  ShutdownTool& Shutdown() { return form->Shutdown(); }
  void Toggle() {
    PostMessageW(Shutdown().BtnShut, BM_CLICK, 0, 0);
    PumpMessages();
  }
  void TickAt(int hour, int minute, int second) {
    now = LocalTime{2026, 12, 7, hour, minute, second, 0};
    SendMessageW(form->SH8, WM_TIMER, ShutdownTool::kTimerShutdown, 0);
  }
  void Pick(HWND radio) {
    PostMessageW(radio, BM_CLICK, 0, 0);
    PumpMessages();
  }
  COLORREF StateColour() {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(form->SH8, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Shutdown().LblShut));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
  }

  LocalTime now{2026, 12, 7, 22, 59, 40, 0};
  Requests requests;
};

}  // namespace

TEST_F(ShutdownPage, ToggleArmsAndDisarmsWithItsLabel) {
  EXPECT_EQ(WindowTextOf(Shutdown().LblShut), L"Timed Shutdown is disabled.");
  EXPECT_EQ(StateColour(), RGB(128, 0, 0));
  EXPECT_EQ(SendMessageW(Shutdown().Rd1, BM_GETCHECK, 0, 0), BST_CHECKED);
  const TimeOfDay shown = PickedTime(Shutdown().ShutAika);
  EXPECT_EQ(shown.hour * 10000 + shown.minute * 100 + shown.second, 120000);
  Toggle();
  EXPECT_TRUE(Shutdown().TimedShutdownOn);
  EXPECT_TRUE(Shutdown().ShutAjastin.Enabled());
  EXPECT_FALSE(IsWindowEnabled(Shutdown().ShutAika));
  EXPECT_TRUE(IsWindowEnabled(Shutdown().Rd2));
  EXPECT_EQ(WindowTextOf(Shutdown().LblShut), L"Timed Shutdown is ENABLED.");
  EXPECT_EQ(StateColour(), RGB(0, 128, 0));
  Toggle();
  EXPECT_FALSE(Shutdown().TimedShutdownOn);
  EXPECT_FALSE(Shutdown().ShutAjastin.Enabled());
  EXPECT_TRUE(IsWindowEnabled(Shutdown().ShutAika));
  EXPECT_EQ(WindowTextOf(Shutdown().LblShut), L"Timed Shutdown is disabled.");
  EXPECT_EQ(StateColour(), RGB(128, 0, 0));
}

TEST_F(ShutdownPage, AtTheSetMinuteSavesThenRequestsTheChoiceAtThatMomentThenLogOff) {
  const struct {
    const char* what;
    bool pickReboot;
    Requests expected;
  } cases[] = {
      {"shutdown", false, {L"saved", L"12 privileged", L"0"}},
      {"reboot picked while armed", true, {L"saved", L"6 privileged", L"0"}},
  };
  for (const auto& c : cases) {
    requests.clear();
    Pick(Shutdown().Rd1);
    SYSTEMTIME time{2000, 1, 6, 1, 23, 0, 59, 0};  // the seconds play no part
    SendMessageW(Shutdown().ShutAika, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    now = LocalTime{2026, 12, 7, 22, 59, 40, 0};
    Toggle();
    if (c.pickReboot) Pick(Shutdown().Rd2);
    TickAt(23, 0, 40);
    EXPECT_EQ(requests, c.expected) << c.what;
    TickAt(23, 1, 40);
    EXPECT_EQ(requests, c.expected) << c.what << ": the next minute sends nothing";
    EXPECT_TRUE(Shutdown().TimedShutdownOn) << "stays armed";
    Toggle();
  }
}
