// Picking pages: tabs, the Home icons and the page-change work, driven with real window messages.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>
#include <stdexcept>

#include "tests/support/UiTestSupport.h"
#include "tools/admin/AdminTool.h"
#include "tools/alarm/AlarmTool.h"
#include "tools/catalogue/CatalogueTool.h"
#include "tools/cleaner/CleanerTool.h"
#include "tools/disk/DiskTool.h"
#include "tools/renamer/RenamerTool.h"
#include "tools/shutdown/ShutdownTool.h"
#include "tools/wallpaper/WallpaperTool.h"
#include "utilities/ErrorText.h"
#include "app/FrmMain.h"
#include "platform/System.h"

namespace {

class Navigation : public testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TFrmMain>(GetModuleHandleW(nullptr), ExecutableFolder());
    ShowWindow(form->Handle(), SW_SHOWNORMAL);
    PumpMessages();
    for (int page = 0; page < kPageCount; ++page) form->SetPageWork(page, [this, page] { ++work[page]; });
  }

  // A free spot of the icon view's background, below and right of every icon.
  POINT Background() {
    RECT client;
    GetClientRect(form->Kuvakkeet, &client);
    return POINT{client.right - 3, client.bottom - 3};
  }

  void ClickTab(int index) { ::ClickTab(form->Tabit, index); }

  std::unique_ptr<TFrmMain> form;
  int work[kPageCount] = {};
};

}  // namespace

// The icon at a position opens the page after it: that of the tool in the same row of the table.
TEST_F(Navigation, EachIconOpensThePageAfterItsPosition) {
  for (int position = 0; position < static_cast<int>(kTools.size()); ++position) {
    form->SetActivePage(kPageHome);
    DoubleClick(form->Kuvakkeet, IconCentre(form->Kuvakkeet, position));
    EXPECT_EQ(form->ActivePage(), position + 1) << "icon " << position;
    EXPECT_TRUE(IsWindowVisible(form->PageHandle(position + 1))) << "icon " << position;
    EXPECT_FALSE(IsWindowVisible(form->PageHandle(kPageHome))) << "icon " << position;
  }
}

// Enter on the icon view opens the selected icon's page, through the window's dialog keys as typed.
TEST_F(Navigation, EnterOnTheIconViewOpensTheSelectedIconsPage) {
  SetFocus(form->Kuvakkeet);
  ListView_SetItemState(form->Kuvakkeet, RowOf<RenamerTool>(), LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
  PostMessageW(form->Kuvakkeet, WM_KEYDOWN, VK_RETURN, 0);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))  // as the program's loop hands keys out
    if (!IsDialogMessageW(form->Handle(), &msg)) DispatchMessageW(&msg);
  EXPECT_EQ(form->ActivePage(), PageOf<RenamerTool>());
  EXPECT_EQ(work[PageOf<RenamerTool>()], 1);
}

TEST_F(Navigation, TheAdministrationIconRefreshesItsPageOnce) {
  DoubleClick(form->Kuvakkeet, IconCentre(form->Kuvakkeet, RowOf<AdminTool>()));
  EXPECT_EQ(form->ActivePage(), PageOf<AdminTool>());
  EXPECT_EQ(work[PageOf<AdminTool>()], 1);
  EXPECT_EQ(work[PageOf<DiskTool>()], 0);
}

TEST_F(Navigation, ADoubleClickOnTheBackgroundDoesNothingEvenWithAnItemSelected) {
  ListView_SetItemState(form->Kuvakkeet, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  DoubleClick(form->Kuvakkeet, Background());
  EXPECT_EQ(form->ActivePage(), kPageHome);
  for (int page = 0; page < kPageCount; ++page) EXPECT_EQ(work[page], 0) << "page " << page;
}

TEST_F(Navigation, TheDoubleClickCountsWhereItHappenedNotWhereThePointerIsNow) {
  POINT background = Background();
  ClientToScreen(form->Kuvakkeet, &background);
  SetCursorPos(background.x, background.y);
  DoubleClick(form->Kuvakkeet, IconCentre(form->Kuvakkeet, RowOf<ShutdownTool>()));
  EXPECT_EQ(form->ActivePage(), PageOf<ShutdownTool>());

  form->SetActivePage(kPageHome);
  POINT icon = IconCentre(form->Kuvakkeet, 3);
  ClientToScreen(form->Kuvakkeet, &icon);
  SetCursorPos(icon.x, icon.y);
  DoubleClick(form->Kuvakkeet, Background());
  EXPECT_EQ(form->ActivePage(), kPageHome);
}

TEST_F(Navigation, PickingATabRunsItsPageWorkEachTime) {
  ClickTab(PageOf<DiskTool>());
  EXPECT_EQ(form->ActivePage(), PageOf<DiskTool>());
  EXPECT_TRUE(IsWindowVisible(form->PageHandle(PageOf<DiskTool>())));
  EXPECT_EQ(work[PageOf<DiskTool>()], 1);
  ClickTab(PageOf<CleanerTool>());
  ClickTab(PageOf<DiskTool>());
  EXPECT_EQ(work[PageOf<DiskTool>()], 2);
  EXPECT_EQ(work[PageOf<CleanerTool>()], 1);
  EXPECT_EQ(work[PageOf<AdminTool>()], 0);
}

TEST_F(Navigation, SettingThePageInCodeRunsNoPageWork) {
  form->SetActivePage(PageOf<AdminTool>());
  form->SetActivePage(PageOf<DiskTool>());
  EXPECT_EQ(form->ActivePage(), PageOf<DiskTool>());
  EXPECT_TRUE(IsWindowVisible(form->PageHandle(PageOf<DiskTool>())));
  for (int page = 0; page < kPageCount; ++page) EXPECT_EQ(work[page], 0) << "page " << page;
}

TEST_F(Navigation, AnErrorInPageWorkIsShownWithAFullStopAndTheProgramGoesOn) {
  form->SetPageWork(PageOf<DiskTool>(), [] { throw AppError(L"Cannot open file \"x.txt\". Access is denied"); });
  form->SetPageWork(PageOf<AdminTool>(), [] { throw std::runtime_error("disk gone"); });
  BoxRecorder boxes;
  ClickTab(PageOf<DiskTool>());
  ClickTab(PageOf<AdminTool>());
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[0].kind, BoxKind::Error);
  EXPECT_EQ(boxes.Calls()[0].caption, L"Quoxel");
  EXPECT_EQ(boxes.Calls()[0].text, L"Cannot open file \"x.txt\". Access is denied.");
  EXPECT_EQ(boxes.Calls()[1].text, L"This could not be finished because of an unexpected error in the program.");
  ClickTab(PageOf<CleanerTool>());
  EXPECT_EQ(form->ActivePage(), PageOf<CleanerTool>());
  EXPECT_EQ(work[PageOf<CleanerTool>()], 1);
}

// Ctrl with Tab, Shift+Tab, PageDown or PageUp, typed into any control, moves to the next or
// previous page with wrap-around and runs its work, as a click on its tab does.
TEST_F(Navigation, ControlKeysMoveBetweenPagesFromAnyControl) {
  struct Case {
    int from;
    WPARAM key;
    bool shift;
    int to;
  };
  const Case cases[] = {{kPageHome, VK_TAB, false, PageOf<DiskTool>()},
                        {kPageHome, VK_TAB, true, kPageCount - 1},
                        {kPageCount - 1, VK_NEXT, false, kPageHome},
                        {PageOf<DiskTool>(), VK_PRIOR, false, kPageHome},
                        {PageOf<CatalogueTool>(), VK_TAB, false, PageOf<CatalogueTool>() + 1}};
  for (const Case& c : cases) {
    form->SetActivePage(c.from);
    const int before = work[c.to];
    HWND control = GetNextDlgTabItem(form->PageHandle(c.from), nullptr, FALSE);  // a control of the page
    PressWithCtrl(control ? control : form->Tabit, c.key, c.shift);
    EXPECT_EQ(form->ActivePage(), c.to) << "from page " << c.from;
    EXPECT_EQ(work[c.to], before + 1) << "from page " << c.from;
  }
  form->SetActivePage(kPageHome);
  PostMessageW(form->Kuvakkeet, WM_KEYDOWN, VK_TAB, 0);  // without Ctrl: no page change
  PumpMessages();
  EXPECT_EQ(form->ActivePage(), kPageHome);
}

// Tab goes from the page control through each page's controls in their order, and back to it.
TEST_F(Navigation, TabVisitsEachPagesControlsInOrderAndReturnsToTheTabs) {
  TFrmMain& f = *form;  // each page's controls, read once the page is shown
  const std::pair<int, std::function<std::vector<HWND>()>> pages[] = {
      {kPageHome, [&f] { return std::vector<HWND>{f.Kuvakkeet}; }},
      {PageOf<DiskTool>(),
       [&f] {
         return std::vector<HWND>{f.ToolAs<DiskTool>().LstKovot, f.ToolAs<DiskTool>().Cbo_SC,
                                  f.ToolAs<DiskTool>().ChkSAlert, f.ToolAs<DiskTool>().EditAA,
                                  f.ToolAs<DiskTool>().CboAD.Handle()};
       }},
      {PageOf<CleanerTool>(), [&f] { return std::vector<HWND>{f.ToolAs<CleanerTool>().LstETF.Handle()}; }},
      {PageOf<CatalogueTool>(), [&f] { return std::vector<HWND>{f.ToolAs<CatalogueTool>().Softat}; }},
      {PageOf<AlarmTool>(),
       [&f] {
         return std::vector<HWND>{f.ToolAs<AlarmTool>().TimeAlarm, f.ToolAs<AlarmTool>().EditAlarmFile,
                                  f.ToolAs<AlarmTool>().CboRepeat.Handle(), f.ToolAs<AlarmTool>().CboSnooze.Handle()};
       }},
      {PageOf<RenamerTool>(),
       [&f] {
         return std::vector<HWND>{f.ToolAs<RenamerTool>().LstRen, f.ToolAs<RenamerTool>().EditRen,
                                  f.ToolAs<RenamerTool>().ChkCopy, f.ToolAs<RenamerTool>().EditStart,
                                  f.ToolAs<RenamerTool>().ChkWidth};
       }},
      {PageOf<ShutdownTool>(),
       [&f] {
         return std::vector<HWND>{f.ToolAs<ShutdownTool>().ShutAika, f.ToolAs<ShutdownTool>().Rd1};
       }},
      {PageOf<WallpaperTool>(),
       [&f] {
         return std::vector<HWND>{f.ToolAs<WallpaperTool>().LstWP, f.ToolAs<WallpaperTool>().CboChange.Handle(),
                                  f.ToolAs<WallpaperTool>().CboFit.Handle()};
       }},
      {PageOf<AdminTool>(),
       [&f] {
         return std::vector<HWND>{f.ToolAs<AdminTool>().LstInfo, f.ToolAs<AdminTool>().LstProc};
       }},
  };
  const auto press = [](HWND at, bool shift) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    SetFocus(at);
    PostMessageW(at, WM_KEYDOWN, VK_TAB, 0);
    PumpMessages();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    return GetFocus();
  };
  for (const auto& [page, controlsOfPage] : pages) {
    form->SetActivePage(page);
    const std::vector<HWND> controls = controlsOfPage();
    std::vector<HWND> visited{GetNextDlgTabItem(form->Handle(), form->Tabit, FALSE)};
    while (visited.size() < controls.size())
      visited.push_back(GetNextDlgTabItem(form->Handle(), visited.back(), FALSE));
    EXPECT_EQ(visited, controls) << "page " << page;
    EXPECT_EQ(press(controls.back(), false), form->Tabit) << "page " << page;
    EXPECT_EQ(press(controls.front(), true), form->Tabit) << "page " << page;
    const HWND focus = press(form->Tabit, true);  // a combo box gives the focus to its edit
    EXPECT_TRUE(focus == controls.back() || IsChild(controls.back(), focus)) << "page " << page;
  }
}

// A context menu's handler runs under the same guard as every other handler.
TEST_F(Navigation, AnErrorInAContextMenuHandlerIsShownAndTheProgramGoesOn) {
  Page panel(form->PageHandle(kPageHome), {0, 0, 40, 20}, RGB(255, 255, 255));
  const HWND control = panel.Bind(CreateLabel(panel.Handle(), L"x", {0, 0, 10, 10}, form->Fonts().normal.Get()),
                                  Binding().OnContextMenu([](POINT) { throw AppError(L"Cannot show the menu"); }));
  BoxRecorder boxes;
  SendMessageW(panel.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), -1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, L"Cannot show the menu.");
}

// Left for another window (a box, a dialog, another program) and back, the focus is where it was;
// on a page no longer in front, the window takes it.
TEST_F(Navigation, TheFocusComesBackToItsControlWhenTheWindowIsActiveAgain) {
  form->SetActivePage(PageOf<DiskTool>());
  const HWND edit = form->ToolAs<DiskTool>().EditAA;
  SetFocus(edit);
  const HWND other =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
  for (const int page : {PageOf<DiskTool>(), kPageHome}) {
    SetActiveWindow(other);
    ASSERT_NE(GetFocus(), edit);
    form->SetActivePage(page);
    SetActiveWindow(form->Handle());
    EXPECT_EQ(GetFocus(), page == PageOf<DiskTool>() ? edit : form->Handle());
  }
  DestroyWindow(other);
}
