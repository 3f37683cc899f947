// The internet connection repair: the programs it starts and its waits are recorded, not run.
#include <windows.h>
#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Shell.h"
#include "tests/support/FormTest.h"
#include "tools/admin/AdminTool.h"

namespace {

class ConnectionRepair : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->SetActivePage(PageOf<AdminTool>());
    PumpMessages();
    SetProgramStarter([this](const std::wstring& program, const std::wstring& parameters, int show) {
      started.push_back(program + L" " + parameters + L" | " + WindowTextOf(form->ToolAs<AdminTool>().BtnFI));
      EXPECT_EQ(show, SW_SHOW);
    });
    SetPauseTaker([this](DWORD milliseconds) {
      const bool hourglass = GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
      const bool unpainted = GetUpdateRect(form->ToolAs<AdminTool>().BtnFI, nullptr, FALSE);
      waits.push_back(std::to_wstring(milliseconds) + (hourglass ? L" hourglass" : L"") +
                      (unpainted ? L" unpainted" : L""));
      if (duringFirstWait && waits.size() == 1) duringFirstWait();
    });
  }
  void PressRepair() {
    PostMessageW(form->ToolAs<AdminTool>().BtnFI, BM_CLICK, 0, 0);
    PumpMessages();
  }

  std::vector<std::wstring> started, waits;
  std::function<void()> duringFirstWait;
};

}  // namespace

TEST_F(ConnectionRepair, StartsTheStepsThroughTheSystemsInterpreterWithTheirCaptionsAndWaits) {
  PressRepair();
  const std::wstring interpreter = CommandInterpreter();
  EXPECT_EQ(interpreter, L"C:\\windows\\system32\\cmd.exe");
  EXPECT_EQ(started, (std::vector<std::wstring>{interpreter + L" /c ipconfig /flushdns | Flushing DNS",
                                                interpreter + L" /c ipconfig /release | Configuring...",
                                                interpreter + L" /c ipconfig /renew | Fetching ip..."}));
  // Only the second and third steps answer messages before they start, which paints their captions.
  EXPECT_EQ(waits, (std::vector<std::wstring>{L"1000 hourglass unpainted", L"4000 hourglass", L"4000 hourglass"}));
  EXPECT_EQ(WindowTextOf(form->ToolAs<AdminTool>().BtnFI), L"Quoxel can try to fix it");
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  SetEnvironmentVariableW(L"ComSpec", nullptr);
  EXPECT_EQ(CommandInterpreter(), L"cmd.exe");
  SetEnvironmentVariableW(L"ComSpec", interpreter.c_str());
}

TEST_F(ConnectionRepair, ASecondPressDuringTheStepsIsIgnored) {
  duringFirstWait = [this] { PostMessageW(form->ToolAs<AdminTool>().BtnFI, BM_CLICK, 0, 0); };
  PressRepair();
  EXPECT_EQ(started.size(), 3u);
}

TEST_F(ConnectionRepair, AnEndAskedForDuringTheStepsStopsThemAndEndsTheProgram) {
  const struct {
    UINT message;
    WPARAM wParam;
  } ends[] = {{WM_CLOSE, 0}, {WM_COMMAND, kCmdExit1}};  // the close box, the tray's Exit
  for (const auto& end : ends) {
    if (!form) {
      form = std::make_unique<TFrmMain>(GetModuleHandleW(nullptr), ProgramFolder());
      form->SetActivePage(PageOf<AdminTool>());
    }
    started.clear(), waits.clear();
    duringFirstWait = [this, end] { PostMessageW(form->Handle(), end.message, end.wParam, 0); };
    BoxRecorder boxes({IDYES});
    PressRepair();
    EXPECT_EQ(started.size(), 1u) << "no step after the end was asked for";
    EXPECT_FALSE(IsWindow(form->Handle())) << end.message;
    form.reset();
  }
}
