// The tray icon, its balloon notices and menu, the tray button and the link labels.
#include <windows.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "app/FrmMain.h"
#include "platform/System.h"
#include "platform/RunAtStartup.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "tests/support/FormTest.h"
#include "tests/support/UiTestSupport.h"
#include "tools/alarm/AlarmTool.h"
#include "tools/disk/DiskTool.h"
#include "tools/shutdown/ShutdownTool.h"
#include "utilities/Maker.h"

namespace {

struct IconCall {
  DWORD message;
  NOTIFYICONDATAW data;
};

class Tray : public testing::Test {
 protected:
  void SetUp() override {
    SetNotifyIconTaker([this](DWORD message, const NOTIFYICONDATAW& data) { calls.push_back({message, data}); });
    SetBrowserOpener([this](const std::wstring& address) { opened.push_back(address); });
    SetPopupMenuChooser([this](HMENU menu, POINT at) {
      menus.push_back({menu, at});
      return menuChoice;
    });
    form = std::make_unique<TFrmMain>(GetModuleHandleW(nullptr), ExecutableFolder());
    ShowWindow(form->Handle(), SW_SHOWNORMAL);
    PumpMessages();
    for (int page = 0; page < kPageCount; ++page) form->SetPageWork(page, [this, page] { ++work[page]; });
  }
  void TearDown() override {
    form.reset();
    InstallTestGuards();
  }

  void IconMouse(UINT mouseMessage) {
    PostMessageW(form->Handle(), kTrayIconMessage, 0, mouseMessage);
    PumpMessages();
  }
  void Command(int id) {
    PostMessageW(form->Handle(), WM_COMMAND, id, 0);
    PumpMessages();
  }
  int CallsOf(DWORD message) const {
    int count = 0;
    for (const auto& call : calls) count += call.message == message;
    return count;
  }
  void ClickLabel(HWND label) {
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    PumpMessages();
  }

  std::unique_ptr<TFrmMain> form;
  std::vector<IconCall> calls;
  std::vector<std::wstring> opened;
  std::vector<std::pair<HMENU, POINT>> menus;
  UINT menuChoice = 0;
  int work[kPageCount] = {};
};

}  // namespace

TEST_F(Tray, TheIconIsAddedWithTipCallbackAndIconThenAsksForKeyboardNotices) {
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_ADD));
  const NOTIFYICONDATAW& data = calls[0].data;
  EXPECT_EQ(data.cbSize, 936u);
  EXPECT_EQ(data.hWnd, form->Handle());
  EXPECT_EQ(data.uID, 0u);
  EXPECT_EQ(data.uFlags, 7u);
  EXPECT_EQ(data.uCallbackMessage, 1025u);
  EXPECT_NE(data.hIcon, nullptr);
  EXPECT_STREQ(data.szTip, L"Quoxel");
  EXPECT_STREQ(data.szInfo, L"");
  EXPECT_EQ(data.uTimeout, 0u);
  EXPECT_EQ(data.dwInfoFlags, 0u);
  EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_SETVERSION));
  EXPECT_EQ(calls[1].data.uVersion, 3u);
}

TEST_F(Tray, ABalloonCutsTextAndTitleAndKeepsTheIcon) {
  const std::wstring text(300, L't'), title(70, L'T');
  form->ShowTrayBalloon(text, title);
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[2].message, static_cast<DWORD>(NIM_MODIFY));
  const NOTIFYICONDATAW& notice = calls[2].data;
  EXPECT_EQ(notice.uFlags, static_cast<UINT>(NIF_INFO));
  EXPECT_EQ(std::wstring(notice.szInfo), text.substr(0, 255));
  EXPECT_EQ(std::wstring(notice.szInfoTitle), title.substr(0, 63));
  EXPECT_EQ(notice.uTimeout, 3000u);
  EXPECT_EQ(notice.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
  EXPECT_EQ(calls[3].message, static_cast<DWORD>(NIM_SETVERSION));  // the keyboard's notices still come
  EXPECT_EQ(calls[3].data.uVersion, 3u);
  EXPECT_EQ(form->TrayIconData.hIcon, calls[0].data.hIcon);
  EXPECT_STREQ(form->TrayIconData.szTip, L"Quoxel");
  EXPECT_EQ(form->TrayIconData.uCallbackMessage, 1025u);
  EXPECT_EQ(form->TrayIconData.hWnd, form->Handle());
}

TEST_F(Tray, ALeftClickTogglesTheWindowAndAMinimisedWindowCountsAsShown) {
  IconMouse(WM_LBUTTONDOWN);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  IconMouse(WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  ShowWindow(form->Handle(), SW_MINIMIZE);
  IconMouse(WM_LBUTTONDOWN);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(Tray, ADoubleClickTogglesOnceAndOtherMouseMessagesDoNothing) {
  IconMouse(WM_LBUTTONDOWN);
  IconMouse(WM_LBUTTONUP);
  IconMouse(WM_LBUTTONDBLCLK);
  IconMouse(WM_LBUTTONUP);
  IconMouse(WM_MOUSEMOVE);
  IconMouse(WM_RBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(menus.empty());
}

TEST_F(Tray, ARightClickOpensTheTrayMenuAtThePointerAndRunsTheChoice) {
  POINT pointer;
  GetCursorPos(&pointer);
  menuChoice = kCmdHide1;
  IconMouse(WM_RBUTTONDOWN);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0].first, form->Pop1.Get());
  EXPECT_EQ(menus[0].second.x, pointer.x);
  EXPECT_EQ(menus[0].second.y, pointer.y);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(Tray, StartWithWindowsWritesAndRemovesThisFoldersRunValueAndIsTickedOnlyForThisProgram) {
  std::map<std::wstring, std::wstring> run;
  SetRunValueSeam(
      [&](const std::wstring& name) { return run.count(name) ? std::optional(run[name]) : std::nullopt; },
      [&](const std::wstring& name, const std::optional<std::wstring>& command) {
        command ? void(run[name] = *command) : void(run.erase(name));
        return true;
      });
  const auto ticked = [this] {
    IconMouse(WM_CONTEXTMENU);
    return (GetMenuState(menus.back().first, kCmdStartWithWindows1, MF_BYCOMMAND) & MF_CHECKED) != 0;
  };
  Command(kCmdStartWithWindows1);
  EXPECT_EQ(run[InstanceName(ExecutableFolder())], L"\"" + ExecutablePath() + L"\" /tray");
  EXPECT_TRUE(ticked());
  Command(kCmdStartWithWindows1);
  run[L"Quoxel-0123456789abcdef"] = L"\"C:\\other\\quoxel.exe\" /tray";  // a copy in another folder
  EXPECT_EQ(run.size(), 1u);
  EXPECT_FALSE(ticked());
}

TEST_F(Tray, ShowOnAShownWindowRerunsThePageWorkOfThePageInFront) {
  form->SetActivePage(PageOf<DiskTool>());
  Command(kCmdShow1);
  EXPECT_EQ(work[PageOf<DiskTool>()], 1);
  Command(kCmdHide1);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  IconMouse(WM_LBUTTONDOWN);  // shows through "Show"
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(work[PageOf<DiskTool>()], 2);
}

TEST_F(Tray, WindowsProcessesRefreshesOnceAndShowsTheAdministrationPage) {
  Command(kCmdHide1);
  Command(kCmdProcesses1);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(form->ActivePage(), PageOf<AdminTool>());
  EXPECT_TRUE(IsWindowVisible(form->PageHandle(PageOf<AdminTool>())));
  EXPECT_EQ(work[PageOf<AdminTool>()], 1);
}

TEST_F(Tray, TheTrayButtonHidesTheWindow) {
  PostMessageW(form->BtnMinTray, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageW(form->BtnMinTray, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST_F(Tray, ExitThenNoKeepsRunning) {
  BoxRecorder boxes({IDNO});
  Command(kCmdExit1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].kind, BoxKind::Confirmation);
  EXPECT_EQ(boxes.Calls()[0].caption, L"Confirm");
  EXPECT_EQ(boxes.Calls()[0].text, L"Are you sure you want to exit Quoxel?");
  EXPECT_TRUE(IsWindow(form->Handle()));
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(CallsOf(NIM_DELETE), 0);
}

TEST_F(Tray, ExitThenYesEndsThroughFormDestroyOnce) {
  BoxRecorder boxes({IDYES});
  const HWND window = form->Handle();
  Command(kCmdExit1);
  EXPECT_FALSE(IsWindow(window));
  form.reset();
  EXPECT_EQ(CallsOf(NIM_DELETE), 1);
}

TEST_F(Tray, ClosingTheWindowRemovesTheIcon) {
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(CallsOf(NIM_DELETE), 1);
  EXPECT_EQ(calls.back().message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(Tray, ALaterStartFindsTheMarkedWindowAndBringsItBackFromTheTrayOrTheTaskbar) {
  const std::wstring name = InstanceName(L"C:\\tray-test\\");
  EXPECT_EQ(WaitForInstanceWindow(TFrmMain::kWindowClass, name, 0), nullptr);
  form->AnswerLaterStarts(name);
  const HWND found = WaitForInstanceWindow(TFrmMain::kWindowClass, name, 0);
  ASSERT_EQ(found, form->Handle());
  EXPECT_EQ(WaitForInstanceWindow(TFrmMain::kWindowClass, InstanceName(L"C:\\other\\"), 0), nullptr);
  for (const int hidden : {SW_HIDE, SW_MINIMIZE}) {
    ShowWindow(found, hidden);
    PostToInstanceWindow(found, TFrmMain::ShowRequestMessage());
    PumpMessages();
    EXPECT_TRUE(IsWindowVisible(found) && !IsIconic(found)) << hidden;
  }
  form.reset();
  EXPECT_EQ(WaitForInstanceWindow(TFrmMain::kWindowClass, name, 0), nullptr);
}

TEST_F(Tray, TheShellsReturnAddsTheIconAgain) {
  form->ShowTrayBalloon(L"notice", L"title");
  SendMessageW(form->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ASSERT_EQ(CallsOf(NIM_ADD), 2);
  const IconCall& added = calls[calls.size() - 2];
  EXPECT_EQ(added.message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(added.data.uFlags, 7u);
  EXPECT_EQ(added.data.uCallbackMessage, 1025u);
  EXPECT_EQ(calls.back().message, static_cast<DWORD>(NIM_SETVERSION));
}

// From the icon's keyboard focus Enter or Space toggles the window as a left click does, and the
// menu key or Shift+F10 opens the menu; the WM_CONTEXTMENU that ends a right click opens no second one.
TEST_F(Tray, TheKeyboardTogglesTheWindowAndOpensTheMenuOnceAfterABalloonToo) {
  form->ShowTrayBalloon(L"notice", L"title");
  for (const bool shown : {false, true}) {
    IconMouse(NIN_KEYSELECT);
    EXPECT_EQ(IsWindowVisible(form->Handle()) != FALSE, shown);
  }
  IconMouse(NIN_SELECT);  // follows a left click, which has toggled already
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  for (UINT event : {WM_CONTEXTMENU, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU, WM_CONTEXTMENU}) IconMouse(event);
  EXPECT_EQ(menus.size(), 3u);
}

TEST_F(Tray, LinkLabelsOpenOnlyWebAddresses) {
  ClickLabel(form->LblLink1);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], kMakerAddress);
  for (const wchar_t* target : {L"HTTPS://example.org/x", L"http://127.0.0.1/"}) {
    SetWindowTextW(form->LblLink1, target);
    ClickLabel(form->LblLink1);
    EXPECT_EQ(opened.back(), target);
  }
  opened.clear();
  for (const wchar_t* target :
       {L"file:///c:/x", L"C:\\Windows\\notepad.exe", L"\\\\server\\share", L"ms-msdt:x", L"javascript:x", L""}) {
    SetWindowTextW(form->LblLink1, target);
    ClickLabel(form->LblLink1);
  }
  EXPECT_TRUE(opened.empty()) << testing::PrintToString(opened);
}

// The real shell of the Wine desktop shows the balloon as a tooltip window of its own.
namespace {

struct BalloonSearch {
  std::wstring text;
  bool found = false;
};

// A tooltip answers WM_GETTEXT with the text it shows; GetWindowText does not ask another process.
std::wstring TipText(HWND tip) {
  wchar_t text[512] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(tip, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, &length);
  return text;
}

BOOL CALLBACK FindBalloon(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<BalloonSearch*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (IsWindowVisible(window) && IsWindowOfClass(window, TOOLTIPS_CLASSW) && process != GetCurrentProcessId() &&
      TipText(window) == search->text) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

bool BalloonShown(const std::wstring& text) {
  BalloonSearch search{text, false};
  EnumWindows(FindBalloon, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Waits, delivering messages, until the balloon's state is as wanted; false when it never was.
bool WaitForBalloon(const std::wstring& text, bool shown, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (BalloonShown(text) != shown) {
    if (GetTickCount() - start > milliseconds) return false;
    PumpMessages();
    Sleep(100);
  }
  return true;
}

}  // namespace

TEST(RealTray, ABalloonAppearsInTheDesktopsNotificationArea) {
  SetNotifyIconTaker(nullptr);
  auto form = std::make_unique<TFrmMain>(GetModuleHandleW(nullptr), ExecutableFolder());
  const std::wstring text = L"Quoxel test notice " + std::to_wstring(GetTickCount());
  form->ShowTrayBalloon(text, L"Quoxel");
  EXPECT_TRUE(WaitForBalloon(text, true, 8000)) << "no balloon with the notice appeared";
  // The icon goes with the window; the shell then takes its balloon down.
  form.reset();
  EXPECT_TRUE(WaitForBalloon(text, false, 15000)) << "the balloon stayed after its icon went";
  InstallTestGuards();
}

namespace {

// The three tools that can be armed, each ready to be switched on by a click: the alarm with its
// sound, the low-space alert on Q: below 12 GB, the timed shutdown.
class ArmableTools : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    for (int page : {PageOf<DiskTool>(), PageOf<AlarmTool>(), PageOf<ShutdownTool>()}) ShowPage(page);
    SetWindowTextW(form->ToolAs<AlarmTool>().EditAlarmFile, (ExecutableFolder() + L"alarm-tone.wav").c_str());
    form->ToolAs<DiskTool>().CboAD.Choose(L'Q');
    SetWindowTextW(form->ToolAs<DiskTool>().EditAA, L"12");
  }
};

}  // namespace

TEST_F(ArmableTools, TheTrayTipNamesEachArmedToolInTheOrderOfTheTabs) {
  DiskTool& disk = form->ToolAs<DiskTool>();
  const HWND alarm = form->ToolAs<AlarmTool>().BtnSetAlarm, shutdown = form->ToolAs<ShutdownTool>().BtnShut;
  const std::pair<HWND, const wchar_t*> clicks[] = {
      {alarm, L"Quoxel\nAlarm: 12:00"},
      {shutdown, L"Quoxel\nAlarm: 12:00\nShutdown: 12:00"},
      {form->ToolAs<ShutdownTool>().Rd2, L"Quoxel\nAlarm: 12:00\nReboot: 12:00"},
      {disk.ChkSAlert, L"Quoxel\nAlert: Q: below 12 GB\nAlarm: 12:00\nReboot: 12:00"},
      {alarm, L"Quoxel\nAlert: Q: below 12 GB\nReboot: 12:00"},
      {shutdown, L"Quoxel\nAlert: Q: below 12 GB"},
      {disk.ChkSAlert, L"Quoxel"}};
  for (const auto& [button, tip] : clicks) {
    PostMessageW(button, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(this->tip, tip);
  }
}

// Each click switches one tool on or off; Cancel keeps the window as it is, Yes hides it, No ends.
TEST_F(ArmableTools, TheCloseBoxAsksWhileAToolIsArmed) {
  DiskTool& disk = form->ToolAs<DiskTool>();
  const HWND alarm = form->ToolAs<AlarmTool>().BtnSetAlarm, shutdown = form->ToolAs<ShutdownTool>().BtnShut;
  const std::wstring rest = L" only while Quoxel runs. Hide Quoxel in the notification area instead of ending it?";
  const struct {
    HWND click;
    int answer;
    std::wstring question;
  } steps[] = {{alarm, IDCANCEL, L"The alarm is armed. It works" + rest},
               {shutdown, IDCANCEL, L"The alarm and the timed shutdown are armed. They work" + rest},
               {alarm, IDCANCEL, L"The timed shutdown is armed. It works" + rest},
               {disk.ChkSAlert, IDCANCEL, L"The low-space alert and the timed shutdown are armed. They work" + rest},
               {shutdown, IDCANCEL, L"The low-space alert is armed. It works" + rest},
               {alarm, IDYES, L"The low-space alert and the alarm are armed. They work" + rest},
               {shutdown, IDNO, L"The low-space alert, the alarm and the timed shutdown are armed. They work" + rest}};
  const HWND window = form->Handle();
  for (const auto& [button, answer, question] : steps) {
    PostMessageW(button, BM_CLICK, 0, 0);
    BoxRecorder boxes({answer});
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    PumpMessages();
    ASSERT_EQ(boxes.Calls().size(), 1u) << testing::PrintToString(question);
    EXPECT_EQ(boxes.Calls()[0].kind, BoxKind::Question);
    EXPECT_EQ(boxes.Calls()[0].defaultAnswer, IDYES);
    EXPECT_EQ(boxes.Calls()[0].text, question);
    EXPECT_EQ(IsWindowVisible(window) != FALSE, answer == IDCANCEL);
    EXPECT_EQ(IsWindow(window) != FALSE, answer != IDNO);
  }
}

namespace {

// A program folder so deep that the command starting the program is longer than the Run key takes.
class TrayFromADeepFolder : public FormTest {
 protected:
  std::wstring ProgramFolder() const override { return data.ProgramFolder(); }
  ScratchDataFolder data{std::wstring(240, L'd')};
};

}  // namespace

TEST_F(TrayFromADeepFolder, StartWithWindowsIsRefusedWithABoxRatherThanWrittenCut) {
  std::map<std::wstring, std::wstring> run;
  SetRunValueSeam([](const std::wstring&) { return std::optional<std::wstring>(); },
                  [&](const std::wstring& name, const std::optional<std::wstring>& command) {
                    if (command) run[name] = *command;
                    return true;
                  });
  BoxRecorder boxes;
  PostMessageW(form->Handle(), WM_COMMAND, kCmdStartWithWindows1, 0);
  PumpMessages();
  EXPECT_TRUE(run.empty());
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_NE(boxes.Calls()[0].text.find(L"and Windows runs at most 260."), std::wstring::npos) << boxes.Calls()[0].text;
}
