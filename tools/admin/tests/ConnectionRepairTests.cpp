// The internet connection repair: the commands it starts and the waits between them are recorded.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/FrmMain.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
#include "tests/support/FormTest.h"
#include "tools/admin/AdminTool.h"
#include "ui/Controls.h"

namespace {

struct Started {
  std::wstring program, parameters, caption;
  int show;
};

class ConnectionRepair : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form->SetActivePage(kPageAdministration);
    PumpMessages();
    SetProgramStarter([this](const std::wstring& program, const std::wstring& parameters, int show) {
      started.push_back({program, parameters, WindowTextOf(form->Admin().BtnFI), show});
    });
    SetPauseTaker([this](DWORD milliseconds) {
      waits.push_back(milliseconds);
      hourglass.push_back(GetCursor() == LoadCursorW(nullptr, IDC_WAIT));
      captionUnpainted.push_back(GetUpdateRect(form->Admin().BtnFI, nullptr, FALSE));
      if (duringFirstWait && waits.size() == 1) duringFirstWait();
    });
  }
  void TearDown() override {
    SetPauseTaker(nullptr);
    FormTest::TearDown();
  }
  void PressRepair() {
    PostMessageW(form->Admin().BtnFI, BM_CLICK, 0, 0);
    PumpMessages();
  }

  std::vector<Started> started;
  std::vector<DWORD> waits;
  std::vector<bool> hourglass;
  std::vector<bool> captionUnpainted;
  std::function<void()> duringFirstWait;
};

}  // namespace

TEST_F(ConnectionRepair, StartsTheThreeStepsThroughTheSystemsInterpreterWithTheirCaptionsAndWaits) {
  PressRepair();
  wchar_t comSpec[MAX_PATH] = {};
  GetEnvironmentVariableW(L"ComSpec", comSpec, MAX_PATH);
  const struct {
    const wchar_t* parameters;
    const wchar_t* caption;
  } expected[] = {{L"/c ipconfig /flushdns", L"Flushing DNS"},
                  {L"/c ipconfig /release", L"Configuring..."},
                  {L"/c ipconfig /renew", L"Fetching ip..."}};
  ASSERT_EQ(started.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(started[i].program, comSpec);
    EXPECT_EQ(started[i].parameters, expected[i].parameters);
    EXPECT_EQ(started[i].caption, expected[i].caption);
    EXPECT_EQ(started[i].show, SW_SHOW);
  }
  EXPECT_EQ(waits, (std::vector<DWORD>{1000, 4000, 4000}));
  EXPECT_EQ(hourglass, (std::vector<bool>{true, true, true}));
  // Only the second and third steps answer messages before they start, which paints their captions.
  EXPECT_EQ(captionUnpainted, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(WindowTextOf(form->Admin().BtnFI), L"Quoxel can try to fix it");
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(ConnectionRepair, WithoutComSpecStartsCmd) {
  wchar_t comSpec[MAX_PATH] = {};
  GetEnvironmentVariableW(L"ComSpec", comSpec, MAX_PATH);
  SetEnvironmentVariableW(L"ComSpec", nullptr);
  EXPECT_EQ(CommandInterpreter(), L"cmd.exe");
  SetEnvironmentVariableW(L"ComSpec", comSpec);
}

TEST_F(ConnectionRepair, ASecondPressDuringTheStepsIsIgnored) {
  duringFirstWait = [this] { PostMessageW(form->Admin().BtnFI, BM_CLICK, 0, 0); };
  PressRepair();
  EXPECT_EQ(started.size(), 3u);
  EXPECT_EQ(waits.size(), 3u);
}

TEST_F(ConnectionRepair, AnEndAskedForDuringTheStepsStopsThemAndEndsTheProgram) {
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
  } ends[] = {{"closing the window", WM_CLOSE, 0}, {"the tray's Exit", WM_COMMAND, kCmdExit1}};
  for (const auto& end : ends) {
    if (!form) form = std::make_unique<TFrmMain>(GetModuleHandleW(nullptr), ProgramFolder());
    started.clear();
    waits.clear();
    duringFirstWait = [this, end] { PostMessageW(form->Handle(), end.message, end.wParam, 0); };
    BoxRecorder boxes({IDYES});
    PressRepair();
    EXPECT_EQ(started.size(), 1u) << end.what << ": the steps after the message pump are not started";
    EXPECT_FALSE(IsWindow(form->Handle())) << end.what;
    form.reset();
  }
}
