// Picking pages: tabs, the Home icons and the page-change work, driven with real window messages.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "tests/support/UiTestSupport.h"
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

  POINT IconCentre(int position) {
    RECT rect{};
    rect.left = LVIR_ICON;
    SendMessageW(form->Kuvakkeet, LVM_GETITEMRECT, position, reinterpret_cast<LPARAM>(&rect));
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
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

TEST_F(Navigation, EachIconOpensThePageAfterItsPosition) {
  const int expectedPage[] = {kPageHardDisks, kPageCleaner,  kPageSoftware,  kPageAlarm,
                              kPageRenamer,   kPageShutdown, kPageWallpaper, kPageAdministration};
  for (int position = 0; position < 8; ++position) {
    form->SetActivePage(kPageHome);
    DoubleClick(form->Kuvakkeet, IconCentre(position));
    EXPECT_EQ(form->ActivePage(), expectedPage[position]) << "icon " << position;
    EXPECT_TRUE(IsWindowVisible(form->PageHandle(expectedPage[position]))) << "icon " << position;
    EXPECT_FALSE(IsWindowVisible(form->SH1)) << "icon " << position;
  }
}

TEST_F(Navigation, TheLastIconRefreshesTheAdministrationPageOnce) {
  DoubleClick(form->Kuvakkeet, IconCentre(7));
  EXPECT_EQ(form->ActivePage(), kPageAdministration);
  EXPECT_EQ(work[kPageAdministration], 1);
  EXPECT_EQ(work[kPageHardDisks], 0);
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
  DoubleClick(form->Kuvakkeet, IconCentre(5));
  EXPECT_EQ(form->ActivePage(), kPageShutdown);

  form->SetActivePage(kPageHome);
  POINT icon = IconCentre(3);
  ClientToScreen(form->Kuvakkeet, &icon);
  SetCursorPos(icon.x, icon.y);
  DoubleClick(form->Kuvakkeet, Background());
  EXPECT_EQ(form->ActivePage(), kPageHome);
}

TEST_F(Navigation, PickingATabRunsItsPageWorkEachTime) {
  ClickTab(kPageHardDisks);
  EXPECT_EQ(form->ActivePage(), kPageHardDisks);
  EXPECT_TRUE(IsWindowVisible(form->SH2));
  EXPECT_EQ(work[kPageHardDisks], 1);
  ClickTab(kPageCleaner);
  ClickTab(kPageHardDisks);
  EXPECT_EQ(work[kPageHardDisks], 2);
  EXPECT_EQ(work[kPageCleaner], 1);
  EXPECT_EQ(work[kPageAdministration], 0);
}

TEST_F(Navigation, SettingThePageInCodeRunsNoPageWork) {
  form->SetActivePage(kPageAdministration);
  form->SetActivePage(kPageHardDisks);
  EXPECT_EQ(form->ActivePage(), kPageHardDisks);
  EXPECT_TRUE(IsWindowVisible(form->SH2));
  for (int page = 0; page < kPageCount; ++page) EXPECT_EQ(work[page], 0) << "page " << page;
}

TEST_F(Navigation, AnErrorInPageWorkIsShownWithAFullStopAndTheProgramGoesOn) {
  form->SetPageWork(kPageHardDisks, [] { throw AppError(L"Cannot open file \"x.txt\". Access is denied"); });
  form->SetPageWork(kPageAdministration, [] { throw std::runtime_error("disk gone"); });
  BoxRecorder boxes;
  ClickTab(kPageHardDisks);
  ClickTab(kPageAdministration);
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[0].kind, BoxKind::Error);
  EXPECT_EQ(boxes.Calls()[0].caption, L"Quoxel");
  EXPECT_EQ(boxes.Calls()[0].text, L"Cannot open file \"x.txt\". Access is denied.");
  EXPECT_EQ(boxes.Calls()[1].text, L"disk gone.");
  ClickTab(kPageCleaner);
  EXPECT_EQ(form->ActivePage(), kPageCleaner);
  EXPECT_EQ(work[kPageCleaner], 1);
}
