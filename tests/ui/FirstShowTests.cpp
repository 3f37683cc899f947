// Each tool's page is made when it is first brought forward, whichever way that happens, and its
// controls then show what the program read as it started.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Processes.h"
#include "platform/System.h"
#include "tests/support/FormTest.h"

namespace {

using Lines = std::vector<std::wstring>;

enum class Way { Tab, Icon, CtrlTab, TrayMenu };

class FirstShow : public FormTest {
 protected:
  void SetUp() override {
    SetTickCounter([] { return 1200000000ULL; });  // the process page's clock without its half-second wait
    WriteBytes(data.File(L"wp.txt"), "C:\\sea.bmp\r\nC:\\hill.jpg\r\n");
    WriteBytes(data.File(L"soft.txt"), "Tools\r\n\tEditor\r\nGames\r\n");
    FormTest::SetUp();
  }
  void TearDown() override {
    FormTest::TearDown();
    SetTickCounter(nullptr);
  }
  std::wstring ProgramFolder() const override { return data.ProgramFolder(); }

  void Restart() {
    form.reset();
    FormTest::SetUp();
  }
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
        PressCtrlTab();
        break;
      case Way::TrayMenu:
        ASSERT_EQ(page, kPageAdministration) << "the tray menu opens that page only";
        PostMessageW(form->Handle(), WM_COMMAND, kCmdProcesses1, 0);
        PumpMessages();
        break;
    }
  }
  void PressCtrlTab() {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(form->Tabit, WM_KEYDOWN, VK_TAB, 0);
    PumpMessages();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }

  ScratchDataFolder data{L"first-show"};
};

}  // namespace

TEST_F(FirstShow, EachPageIsMadeWhenFirstBroughtForwardAndShowsTheDataReadAtStart) {
  const std::wstring threshold = std::wstring(L"10") + UserDecimalSeparator() + L"0";
  TFrmMain* f = nullptr;  // the window of the way being tried
  const std::function<void()> showsStartData[kPageCount] = {
      nullptr,
      [&] {
        EXPECT_EQ(WindowTextOf(f->Disk().EditAA), threshold);
        EXPECT_FALSE(ListItems(f->Disk().LstKovot).empty()) << "the page's work ran";
      },
      [&] { EXPECT_TRUE(IsWindowVisible(f->Cleaner().BtnETF)); },
      [&] { EXPECT_EQ(SendMessageW(f->SoftwareList().Softat, TVM_GETCOUNT, 0, 0), 3); },
      [&] { EXPECT_EQ(WindowTextOf(f->Alarm().LblAlarmStatus), L"Alarm is OFF"); },
      [&] { EXPECT_FALSE(IsWindowEnabled(f->Renamer().BtnConv)); },
      [&] { EXPECT_EQ(WindowTextOf(f->Shutdown().LblShut), L"Timed Shutdown is disabled."); },
      [&] {
        EXPECT_EQ(ListItems(f->Wallpaper().LstWP), (Lines{L"C:\\sea.bmp", L"C:\\hill.jpg"}));
        EXPECT_TRUE(IsWindowEnabled(f->Wallpaper().BtnRWP));
      },
      [&] { EXPECT_FALSE(ListItems(f->Admin().LstProc).empty()) << "the page's work ran"; },
  };
  const struct {
    Way way;
    const char* name;
    int firstPage;
  } ways[] = {{Way::Tab, "tab", kPageHome + 1},
              {Way::Icon, "icon", kPageHome + 1},
              {Way::CtrlTab, "Ctrl+Tab", kPageHome + 1},
              {Way::TrayMenu, "tray menu", kPageAdministration}};
  for (const auto& way : ways) {
    Restart();
    f = form.get();
    for (int page = way.firstPage; page < kPageCount; ++page) {
      SCOPED_TRACE(std::string("page ") + std::to_string(page) + " by " + way.name);
      ASSERT_EQ(form->PageHandle(page), nullptr) << "made before it was shown";
      BringForward(page, way.way);
      ASSERT_EQ(form->ActivePage(), page);
      ASSERT_TRUE(IsWindowVisible(form->PageHandle(page)));
      showsStartData[page]();
    }
  }
}
