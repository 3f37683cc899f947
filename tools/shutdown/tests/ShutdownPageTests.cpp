// The "Timed Shutdown" page with a set clock; the requests to end the session are recorded, never sent.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Shutdown.h"
#include "tests/support/FormTest.h"
#include "tools/shutdown/ShutdownTool.h"
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
    now.hour = hour, now.minute = minute;
    SendMessageW(form->PageHandle(PageOf<ShutdownTool>()), WM_TIMER, ShutdownTool::kTimerShutdown, 0);
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

TEST_F(ShutdownPage, AtTheSetMinuteSavesThenSendsTheChoiceMadeByThenAndALogOff) {
  SYSTEMTIME time{2000, 1, 6, 1, 23, 0, 59, 0};  // the seconds play no part
  SendMessageW(Shutdown().ShutAika, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  Click(Shutdown().BtnShut);
  for (HWND choice : {Shutdown().Rd1, Shutdown().Rd2}) {
    requests.clear();
    Click(choice);  // while armed
    TickAt(23, 0);
    TickAt(23, 1);
    const wchar_t* flags = choice == Shutdown().Rd1 ? L"12 privileged" : L"6 privileged";
    EXPECT_EQ(requests, (std::vector<std::wstring>{L"saved", flags, L"0"}));
    EXPECT_TRUE(Shutdown().TimedShutdownOn);
    ++now.day;
    TickAt(22, 59);  // the next day
  }
}
