// Each tool's page is made when it is first brought forward, whichever way that happens, and its
// controls then show what the program read as it started.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/System.h"
#include "tests/support/FormTest.h"

namespace {

using Lines = std::vector<std::wstring>;

enum class Way { Tab, Icon, CtrlTab, TrayMenu };

class FirstShow : public FormTest {
 protected:
  // The data is read as each way's window is built.
  void SetUp() override {
    WriteBytes(data.File(L"wp.txt"), "C:\\sea.bmp\r\nC:\\hill.jpg\r\n");
    WriteBytes(data.File(L"soft.txt"), "Tools\r\n\tEditor\r\nGames\r\n");
  }
  std::wstring ProgramFolder() const override { return data.ProgramFolder(); }
  void BringForward(int page, Way way) {
    switch (way) {
      case Way::Tab:
        ShowPage(page);
        break;
      case Way::Icon:
        form->SetActivePage(kPageHome);
        DoubleClick(form->Kuvakkeet, IconCentre(form->Kuvakkeet, page - 1));
        break;
      case Way::CtrlTab:
        ASSERT_EQ(form->ActivePage(), page - 1);
        PressWithCtrl(form->Tabit, VK_TAB);
        break;
      case Way::TrayMenu:
        ASSERT_EQ(page, PageOf<AdminTool>()) << "the tray menu opens that page only";
        PostMessageW(form->Handle(), WM_COMMAND, kCmdProcesses1, 0);
        PumpMessages();
        break;
    }
  }

  ScratchDataFolder data{L"first-show"};
};

}  // namespace

TEST_F(FirstShow, EachPageIsMadeWhenFirstBroughtForwardAndShowsTheDataReadAtStart) {
  const std::wstring threshold = std::wstring(L"10") + UserDecimalSeparator() + L"0";
  // What a tool's page shows of the data read at start, for the tools that read any.
  const std::map<int, std::function<void()>> showsStartData = {
      {PageOf<DiskTool>(),
       [&] {
         EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().EditAA), threshold);
         EXPECT_FALSE(ListItems(form->ToolAs<DiskTool>().LstKovot).empty()) << "the page's work ran";
       }},
      {PageOf<CleanerTool>(), [&] { EXPECT_TRUE(IsWindowVisible(form->ToolAs<CleanerTool>().BtnETF)); }},
      {PageOf<CatalogueTool>(),
       [&] { EXPECT_EQ(SendMessageW(form->ToolAs<CatalogueTool>().Softat, TVM_GETCOUNT, 0, 0), 3); }},
      {PageOf<AlarmTool>(),
       [&] { EXPECT_EQ(WindowTextOf(form->ToolAs<AlarmTool>().LblAlarmStatus), L"Alarm is OFF"); }},
      {PageOf<RenamerTool>(), [&] { EXPECT_FALSE(IsWindowEnabled(form->ToolAs<RenamerTool>().BtnConv)); }},
      {PageOf<ShutdownTool>(),
       [&] { EXPECT_EQ(WindowTextOf(form->ToolAs<ShutdownTool>().LblShut), L"Timed Shutdown is disabled."); }},
      {PageOf<WallpaperTool>(),
       [&] {
         EXPECT_EQ(ListItems(form->ToolAs<WallpaperTool>().LstWP), (Lines{L"C:\\sea.bmp", L"C:\\hill.jpg"}));
         EXPECT_TRUE(IsWindowEnabled(form->ToolAs<WallpaperTool>().BtnRWP));
       }},
      {PageOf<AdminTool>(),
       [&] { EXPECT_FALSE(ListItems(form->ToolAs<AdminTool>().LstProc).empty()) << "the page's work ran"; }},
  };
  const struct {
    Way way;
    const char* name;
    int firstPage, endPage;
  } ways[] = {{Way::Tab, "tab", kPageHome + 1, kPageCount},
              {Way::Icon, "icon", kPageHome + 1, kPageCount},
              {Way::CtrlTab, "Ctrl+Tab", kPageHome + 1, kPageCount},
              {Way::TrayMenu, "tray menu", PageOf<AdminTool>(), PageOf<AdminTool>() + 1}};
  for (const auto& way : ways) {
    form.reset();
    FormTest::SetUp();
    for (int page = way.firstPage; page < way.endPage; ++page) {
      SCOPED_TRACE(std::string("page ") + std::to_string(page) + " by " + way.name);
      ASSERT_EQ(form->PageHandle(page), nullptr) << "made before it was shown";
      BringForward(page, way.way);
      ASSERT_EQ(form->ActivePage(), page);
      ASSERT_TRUE(IsWindowVisible(form->PageHandle(page)));
      if (const auto shows = showsStartData.find(page); shows != showsStartData.end()) shows->second();
    }
  }
}
