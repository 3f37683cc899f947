// The "PC Administrating" page with Wine's real processes and a trusted list in a scratch folder.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/FrmMain.h"
#include "platform/Processes.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "tests/support/UiTestSupport.h"
#include "tools/admin/AdminTool.h"
#include "ui/CheckListBox.h"
#include "ui/Controls.h"

using namespace std::string_literals;

namespace {

using Lines = std::vector<std::wstring>;

class AdminPage : public testing::Test {
 protected:
  void SetUp() override {
    SetTickCounter([] { return 1200000000ULL; });  // 2400 MHz without the half-second wait
    SetBrowserOpener([this](const std::wstring& address) { opened.push_back(address); });
    form = std::make_unique<TFrmMain>(GetModuleHandleW(nullptr), data.ProgramFolder());
    ShowWindow(form->Handle(), SW_SHOWNORMAL);
    PumpMessages();
  }
  void TearDown() override {
    form.reset();
    SetTickCounter(nullptr);
    InstallTestGuards();
  }

  std::wstring TrustedFile() const { return data.File(L"trusted.txt"); }
  void Refresh() { ClickTab(form->Tabit, PageOf<AdminTool>()); }
  int IndexOf(const std::wstring& name) {
    const Lines items = ListItems(form->ToolAs<AdminTool>().LstProc);
    for (size_t i = 0; i < items.size(); ++i)
      if (EqualIgnoringCase(items[i], name)) return static_cast<int>(i);
    return -1;
  }
  // A click on the item's check box, as the mouse makes it.
  void ClickBox(int index) { ClickListItem(form->ToolAs<AdminTool>().LstProc, index, 5); }

  ScratchDataFolder data{L"admin-test"};
  std::unique_ptr<TFrmMain> form;
  std::vector<std::wstring> opened;
};

}  // namespace

TEST_F(AdminPage, ARefreshListsWinesProcessesSortedWithoutTheSystemNames) {
  Refresh();
  const Lines processes = ListItems(form->ToolAs<AdminTool>().LstProc);
  EXPECT_GE(IndexOf(L"explorer.exe"), 0);
  EXPECT_GE(IndexOf(L"services.exe"), 0);
  EXPECT_GE(IndexOf(L"quoxel_ui_tests.exe"), 0);
  for (size_t i = 1; i < processes.size(); ++i)
    EXPECT_LE(
        CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, processes[i - 1].c_str(), -1, processes[i].c_str(), -1),
        CSTR_EQUAL);
  for (const auto& name : processes) {
    EXPECT_NE(name, L"System");
    EXPECT_NE(name, L"[System Process]");
    EXPECT_FALSE(IsItemChecked(form->ToolAs<AdminTool>().LstProc, IndexOf(name))) << "no trusted list yet";
  }
  EXPECT_FALSE(IsWindowEnabled(form->ToolAs<AdminTool>().BtnGInf));
}

TEST_F(AdminPage, ShowsTheSystemFiguresWithTheClockEstimate) {
  Refresh();
  const Lines info = ListItems(form->ToolAs<AdminTool>().LstInfo);
  ASSERT_EQ(info.size(), 9u);
  EXPECT_EQ(info[0].rfind(L"Memory load: ", 0), 0u);
  const MEMORYSTATUSEX memory = MemoryStatus();
  EXPECT_EQ(info[2], L"Total RAM: " + std::to_wstring(memory.ullTotalPhys / 1048576) + L" MB");
  EXPECT_EQ(info[7], std::wstring(L"Processor clock rate: 2400") + UserDecimalSeparator() + L"00 MHz");
  EXPECT_EQ(info[8], L"(ESTIMATION)");
}

TEST_F(AdminPage, ANameInCapitalsInTheFileMarksTheProcess) {
  WriteBytes(TrustedFile(), "EXPLORER.EXE\r\n \r\nservices.exe \r\n");
  Refresh();
  EXPECT_TRUE(IsItemChecked(form->ToolAs<AdminTool>().LstProc, IndexOf(L"explorer.exe")));
  EXPECT_FALSE(IsItemChecked(form->ToolAs<AdminTool>().LstProc, IndexOf(L"services.exe")))
      << "a trailing space never matches";
}

TEST_F(AdminPage, MarkingAndUnmarkingRewriteTheFile) {
  WriteBytes(TrustedFile(), "svchost.exe");
  Refresh();
  ClickBox(IndexOf(L"explorer.exe"));
  EXPECT_TRUE(IsItemChecked(form->ToolAs<AdminTool>().LstProc, IndexOf(L"explorer.exe")));
  EXPECT_EQ(ReadBytes(TrustedFile()), "svchost.exe\r\nexplorer.exe\r\n");
  ClickBox(IndexOf(L"explorer.exe"));
  EXPECT_FALSE(IsItemChecked(form->ToolAs<AdminTool>().LstProc, IndexOf(L"explorer.exe")));
  EXPECT_EQ(ReadBytes(TrustedFile()), "svchost.exe\r\n");
}

TEST_F(AdminPage, TheSpaceBarMarksTheSelectedItem) {
  Refresh();
  const int index = IndexOf(L"services.exe");
  SendMessageW(form->ToolAs<AdminTool>().LstProc, LB_SETCURSEL, index, 0);
  SetFocus(form->ToolAs<AdminTool>().LstProc);
  PostMessageW(form->ToolAs<AdminTool>().LstProc, WM_KEYDOWN, VK_SPACE, 0);
  PostMessageW(form->ToolAs<AdminTool>().LstProc, WM_CHAR, L' ', 0);
  PumpMessages();
  EXPECT_TRUE(IsItemChecked(form->ToolAs<AdminTool>().LstProc, index));
  EXPECT_EQ(ReadBytes(TrustedFile()), "services.exe\r\n");
}

TEST_F(AdminPage, AUtf8FileWithItsMarkIsReadAndWrittenBackAsAnsi) {
  WriteBytes(TrustedFile(), "\xEF\xBB\xBFservices.exe\r\ncaf\xC3\xA9.exe\r\n");
  Refresh();
  EXPECT_TRUE(IsItemChecked(form->ToolAs<AdminTool>().LstProc, IndexOf(L"services.exe")));
  ClickBox(IndexOf(L"explorer.exe"));
  EXPECT_EQ(ReadBytes(TrustedFile()), "services.exe\r\ncaf\xE9.exe\r\nexplorer.exe\r\n");
}

// A mark rewrites the whole list; a file that cannot be read back whole is left as it is.
TEST_F(AdminPage, AMarkLosesNoNameOfTheFileOrLeavesTheFileAlone) {
  struct Case {
    std::string before, after;  // after is empty when the change is refused
  };
  const Case cases[] = {
      {"services.exe\0\r\nsvchost.exe\r\n"s, "services.exe\r\nsvchost.exe\r\nexplorer.exe\r\n"},
      {"s\0v\0c\0h\0o\0s\0t\0.\0e\0x\0e\0\r\0\n\0E\0\r\0\n\0"s, "svchost.exe\r\nE\r\nexplorer.exe\r\n"},
      {"\xEF\xBB\xBFservices.exe\r\ncaf\xC3.exe\r\n"s, ""},
  };
  Refresh();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.before));
    WriteBytes(TrustedFile(), c.before);
    form->ToolAs<AdminTool>().RefreshAdminTab();
    BoxRecorder boxes;
    ClickBox(IndexOf(L"explorer.exe"));
    if (c.after.empty()) {
      EXPECT_EQ(ReadBytes(TrustedFile()), c.before);
      ASSERT_EQ(boxes.Calls().size(), 1u);
      EXPECT_EQ(boxes.Calls()[0].text, L"Cannot change file \"" + data.Root() +
                                           L"\\Data\\trusted.txt\". Part of its text "
                                           L"cannot be read, so it is left as it is.");
      EXPECT_FALSE(IsItemChecked(form->ToolAs<AdminTool>().LstProc, IndexOf(L"explorer.exe")));
    } else {
      EXPECT_EQ(ReadBytes(TrustedFile()), c.after) << testing::PrintToString(c.before);
      EXPECT_TRUE(boxes.Calls().empty());
    }
  }
}

TEST_F(AdminPage, TheInfoButtonFollowsTheSelectionAndOpensTheDirectory) {
  Refresh();
  EXPECT_FALSE(IsWindowEnabled(form->ToolAs<AdminTool>().BtnGInf));
  const int index = IndexOf(L"explorer.exe");
  ClickListItem(form->ToolAs<AdminTool>().LstProc, index, 60);  // on the name
  EXPECT_TRUE(IsWindowEnabled(form->ToolAs<AdminTool>().BtnGInf));
  EXPECT_FALSE(IsItemChecked(form->ToolAs<AdminTool>().LstProc, index)) << "a click on the name does not mark";
  PostMessageW(form->ToolAs<AdminTool>().BtnGInf, BM_CLICK, 0, 0);
  PumpMessages();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], L"https://www.processlibrary.com/directory/files/explorer/");
  PostMessageW(form->Handle(), WM_COMMAND, kCmdProcesses1, 0);  // the page is in front: refresh from the tray
  PumpMessages();
  EXPECT_FALSE(IsWindowEnabled(form->ToolAs<AdminTool>().BtnGInf)) << "a refresh leaves nothing selected";
}

TEST_F(AdminPage, AMissingDataFolderOnAMarkShowsTheErrorAndPutsTheMarkBack) {
  Refresh();
  DeleteFileW(TrustedFile().c_str());
  RemoveDirectoryW((data.Root() + L"\\Data").c_str());
  BoxRecorder boxes;
  ClickBox(IndexOf(L"explorer.exe"));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].kind, BoxKind::Error);
  EXPECT_EQ(boxes.Calls()[0].text.rfind(L"Cannot create file \"" + data.Root() + L"\\Data\\trusted.txt\". ", 0), 0u)
      << testing::PrintToString(boxes.Calls()[0].text);
  EXPECT_FALSE(IsItemChecked(form->ToolAs<AdminTool>().LstProc, IndexOf(L"explorer.exe"))) << "the file did not change";
  EXPECT_EQ(GetFileAttributesW((data.Root() + L"\\Data").c_str()), INVALID_FILE_ATTRIBUTES) << "no folder created";
  form.reset();  // the wallpaper list, saved at the end, misses the folder too: its box goes to the recorder
}

TEST_F(AdminPage, TheTrayItemRefreshesOnceAndShowsThePage) {
  int refreshes = 0;
  SetTickCounter([&refreshes] {
    ++refreshes;
    return 1ULL;
  });
  PostMessageW(form->Handle(), WM_COMMAND, kCmdProcesses1, 0);
  PumpMessages();
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(form->ActivePage(), PageOf<AdminTool>());
  EXPECT_GT(SendMessageW(form->ToolAs<AdminTool>().LstProc, LB_GETCOUNT, 0, 0), 0);
}

TEST(AdminClock, TheMeasurementRestoresNormalPriority) {
  SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS);
  const std::uint64_t ticks = CountTicksOverHalfASecond();
  EXPECT_GT(ticks, 0u);
  EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);
}

TEST_F(AdminPage, AThousandRefreshesLeaveNoWindowOrGdiObjectsBehind) {
  Refresh();
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  for (int i = 0; i < 1000; ++i) {
    PostMessageW(form->Handle(), WM_COMMAND, kCmdProcesses1, 0);
    PumpMessages();
  }
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
}
