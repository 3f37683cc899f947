// The "Hard Disk Drives" page against real drives: the scratch drives Q: (fixed, known files),
// R: (removable) and S: (CD-ROM) that scripts/test-drives.sh gives the test prefix.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "app/FrmMain.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "tests/support/FormTest.h"
#include "tools/disk/DiskTool.h"
#include "tools/disk/DriveFigures.h"
#include "ui/Controls.h"

namespace {

using Lines = std::vector<std::wstring>;

class DiskPage : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ClickTab(form->Tabit, PageOf<DiskTool>());
  }

  int IndexOfDrive(wchar_t letter) {
    const Lines items = ListItems(form->ToolAs<DiskTool>().LstKovot);
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i][0] == letter) return static_cast<int>(i);
    return -1;
  }
  // Clicks the drive's line in the list, as the user picks it.
  void PickDrive(wchar_t letter) {
    const int index = IndexOfDrive(letter);
    ASSERT_GE(index, 0) << "drive " << static_cast<char>(letter) << " is not listed";
    ClickListItem(form->ToolAs<DiskTool>().LstKovot, index, 5);
  }
  void Search(int count) {
    SendMessageW(form->ToolAs<DiskTool>().Cbo_SC, CB_SETCURSEL, count - 5, 0);
    PostMessageW(form->ToolAs<DiskTool>().BtnKovoIsoimmat, BM_CLICK, 0, 0);
    PumpMessages();
  }
  void Type(HWND edit, const std::wstring& keys) {
    for (wchar_t key : keys) SendMessageW(edit, WM_CHAR, key, 0);
  }
  void ClickAlert() {
    PostMessageW(form->ToolAs<DiskTool>().ChkSAlert, BM_CLICK, 0, 0);
    PumpMessages();
  }
  bool AlertChecked() { return SendMessageW(form->ToolAs<DiskTool>().ChkSAlert, BM_GETCHECK, 0, 0) == BST_CHECKED; }
};

const Lines kTopFive = {L"Q:\\.secret.bin\t 2.00 GB", L"Q:\\big.bin\t 1.00 GB", L"Q:\\under.bin\t 1024.00 MB",
                        L"Q:\\sub\\deeper\\deep.bin\t 2.86 MB", L"Q:\\mb.bin\t 1.00 MB"};

}  // namespace

TEST_F(DiskPage, ListsOnlyFixedDrivesInLetterOrder) {
  const Lines drives = ListItems(form->ToolAs<DiskTool>().LstKovot);
  ASSERT_GE(drives.size(), 3u);
  EXPECT_EQ(drives.front(), L"C\tFixed Drive");
  EXPECT_GE(IndexOfDrive(L'Q'), 0);
  EXPECT_GE(IndexOfDrive(L'Z'), 0);
  EXPECT_EQ(IndexOfDrive(L'R'), -1) << "removable";
  EXPECT_EQ(IndexOfDrive(L'S'), -1) << "CD-ROM";
  for (size_t i = 1; i < drives.size(); ++i) EXPECT_LT(drives[i - 1][0], drives[i][0]);
  ASSERT_EQ(SendMessageW(form->ToolAs<DiskTool>().CboAD.Handle(), CB_GETCOUNT, 0, 0), static_cast<LRESULT>(drives.size()));
  EXPECT_EQ(SendMessageW(form->ToolAs<DiskTool>().CboAD.Handle(), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().CboAD.Handle()), L"C:");
}

TEST_F(DiskPage, ShowsTheSelectedDrivesFiguresAndSerial) {
  EXPECT_FALSE(IsWindowEnabled(form->ToolAs<DiskTool>().BtnKovoIsoimmat));
  // Q: lies on the host's disk, where other processes may write meanwhile: the label shows the free
  // space as it was read before the pick or as it is after it.
  ULARGE_INTEGER freeBefore, free, total;
  ASSERT_TRUE(GetDiskFreeSpaceExW(L"Q:\\", &freeBefore, &total, nullptr));
  PickDrive(L'Q');
  EXPECT_TRUE(IsWindowEnabled(form->ToolAs<DiskTool>().BtnKovoIsoimmat));
  ASSERT_TRUE(GetDiskFreeSpaceExW(L"Q:\\", &free, &total, nullptr));
  const wchar_t separator = UserDecimalSeparator();
  const long double totalGiB = ToGibibytes(static_cast<std::int64_t>(total.QuadPart));
  const auto freeText = [&](ULARGE_INTEGER bytes) {
    return FreeSpaceText(ToGibibytes(static_cast<std::int64_t>(bytes.QuadPart)), totalGiB, separator);
  };
  const std::wstring shown = WindowTextOf(form->ToolAs<DiskTool>().LblFreeS);
  EXPECT_TRUE(shown == freeText(freeBefore) || shown == freeText(free)) << testing::PrintToString(shown);
  EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().LblKovoK), DriveSizeText(totalGiB, separator));
  EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().LblDS), L"Disk Serial Number: 1A2B:3C4D");
  for (HWND label : {form->ToolAs<DiskTool>().LblFreeS, form->ToolAs<DiskTool>().LblSpaceU,
                     form->ToolAs<DiskTool>().LblKovoK, form->ToolAs<DiskTool>().LblDS}) {
    RECT rect;
    GetClientRect(label, &rect);
    EXPECT_GE(rect.right,
              TextExtent(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), WindowTextOf(label)).cx);
  }
}

TEST_F(DiskPage, ComingBackRefillsTheListsButKeepsTheDetailsAndTheAlertsDrive) {
  PickDrive(L'Q');
  SendMessageW(form->ToolAs<DiskTool>().CboAD.Handle(), CB_SETCURSEL, 1, 0);
  const std::wstring details = WindowTextOf(form->ToolAs<DiskTool>().LblFreeS);
  ClickTab(form->Tabit, PageOf<CleanerTool>());
  ClickTab(form->Tabit, PageOf<DiskTool>());
  EXPECT_EQ(SendMessageW(form->ToolAs<DiskTool>().LstKovot, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(form->ToolAs<DiskTool>().CboAD.Handle(), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().LblFreeS), details);
  EXPECT_TRUE(IsWindowEnabled(form->ToolAs<DiskTool>().BtnKovoIsoimmat));
}

TEST_F(DiskPage, SearchListsTheFiveLargestFilesLargestFirst) {
  PickDrive(L'Q');
  Search(5);
  EXPECT_TRUE(IsWindowVisible(form->ToolAs<DiskTool>().LstLargest));
  EXPECT_FALSE(IsWindowVisible(form->ToolAs<DiskTool>().Anim1));
  EXPECT_FALSE(IsWindowVisible(form->ToolAs<DiskTool>().LblSearching));
  EXPECT_EQ(ListItems(form->ToolAs<DiskTool>().LstLargest), kTopFive);
}

TEST_F(DiskPage, SearchForTwelveListsEveryFileThenTheFreePlaces) {
  PickDrive(L'Q');
  Search(12);
  Lines expected = kTopFive;
  for (const wchar_t* line :
       {L"Q:\\kb.bin\t 1024.00 kB", L"Q:\\half.bin\t 0.50 kB", L"Q:\\sub\\small.bin\t 0.10 kB",
        L"Q:\\.windows-serial\t 0.01 kB", L"\t 0.00 kB", L"\t 0.00 kB", L"Q:\\empty.bin\t 0.00 kB"})
    expected.push_back(line);
  EXPECT_EQ(ListItems(form->ToolAs<DiskTool>().LstLargest), expected);
}

TEST_F(DiskPage, LinksBackToWalkedFoldersAreNotWalkedAgain) {
  PickDrive(L'Q');  // Q:\links holds two links to itself and one to the drive's root
  Search(20);
  std::vector<std::wstring> paths;
  for (const std::wstring& line : ListItems(form->ToolAs<DiskTool>().LstLargest))
    if (line[0] != L'\t') paths.push_back(line.substr(0, line.find(L'\t')));
  std::sort(paths.begin(), paths.end());
  EXPECT_EQ(paths, (Lines{L"Q:\\.secret.bin", L"Q:\\.windows-serial", L"Q:\\big.bin", L"Q:\\empty.bin", L"Q:\\half.bin",
                          L"Q:\\kb.bin", L"Q:\\mb.bin", L"Q:\\sub\\deeper\\deep.bin", L"Q:\\sub\\small.bin",
                          L"Q:\\under.bin"}));
}

HWND g_animation = nullptr;
bool g_shownDuringSearch = false;

LRESULT CALLBACK LookAtTheAnimation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) g_shownDuringSearch = IsWindowVisible(g_animation);
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(DiskPage, TheFindFolderAnimationHasItsClipAndShowsDuringASearch) {
  const HWND animation = form->ToolAs<DiskTool>().Anim1;
  EXPECT_TRUE(SendMessageW(animation, ACM_PLAY, 1, MAKELPARAM(0, 0))) << "the clip did not open";
  SendMessageW(animation, ACM_STOP, 0, 0);
  PickDrive(L'Q');
  g_animation = animation;
  const HWND observer = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(observer, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LookAtTheAnimation));
  PostMessageW(form->ToolAs<DiskTool>().BtnKovoIsoimmat, BM_CLICK, 0, 0);
  PostMessageW(observer, WM_APP, 0, 0);  // handled in the search's first pump
  PumpMessages();
  DestroyWindow(observer);
  EXPECT_TRUE(g_shownDuringSearch);
  EXPECT_FALSE(IsWindowVisible(animation)) << "hidden again with the results";
}

TEST_F(DiskPage, ASecondPressDuringASearchIsIgnored) {
  PickDrive(L'Q');
  SendMessageW(form->ToolAs<DiskTool>().Cbo_SC, CB_SETCURSEL, 0, 0);
  PostMessageW(form->ToolAs<DiskTool>().BtnKovoIsoimmat, BM_CLICK, 0, 0);
  PostMessageW(form->ToolAs<DiskTool>().BtnKovoIsoimmat, BM_CLICK, 0,
               0);  // arrives while the first search pumps messages
  PumpMessages();
  EXPECT_EQ(ListItems(form->ToolAs<DiskTool>().LstLargest), kTopFive);
  Search(5);
  EXPECT_EQ(ListItems(form->ToolAs<DiskTool>().LstLargest), kTopFive) << "a later search still runs";
}

TEST_F(DiskPage, ClosingDuringASearchEndsTheProgramWhenTheSearchHasFinished) {
  PickDrive(L'Q');
  const HWND window = form->Handle();
  PostMessageW(form->ToolAs<DiskTool>().BtnKovoIsoimmat, BM_CLICK, 0, 0);
  PostMessageW(window, WM_CLOSE, 0, 0);  // arrives while the search pumps messages
  MSG msg;
  bool closedDuringSearch = false;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    DispatchMessageW(&msg);
    if (msg.hwnd == form->ToolAs<DiskTool>().BtnKovoIsoimmat && msg.message == BM_CLICK) {
      closedDuringSearch = !IsWindow(window);
      EXPECT_EQ(SendMessageW(form->ToolAs<DiskTool>().LstLargest, LB_GETCOUNT, 0, 0), 5)
          << "the results were listed first";
    }
  }
  EXPECT_FALSE(closedDuringSearch);
  EXPECT_FALSE(IsWindow(window)) << "the close took effect after the search";
}

TEST_F(DiskPage, PickingADriveHidesTheResults) {
  PickDrive(L'Q');
  Search(5);
  PickDrive(L'C');
  EXPECT_FALSE(IsWindowVisible(form->ToolAs<DiskTool>().LstLargest));
}

TEST_F(DiskPage, WithoutASelectedDriveTheSearchCoversDriveC) {
  PickDrive(L'Q');
  ClickTab(form->Tabit, kPageHome);
  ClickTab(form->Tabit, PageOf<DiskTool>());
  Search(5);
  const Lines lines = ListItems(form->ToolAs<DiskTool>().LstLargest);
  ASSERT_EQ(lines.size(), 5u);
  for (const auto& line : lines) EXPECT_EQ(line.rfind(L"c:\\", 0), 0u) << testing::PrintToString(line);
}

TEST_F(DiskPage, SavesTheResultLinesWithCrLfAfterAskingAboutOverwriting) {
  PickDrive(L'Q');
  Search(5);
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"quoxel-results-test.txt";
  bool askedAboutOverwriting = false;
  SetFileDialogAnswerer([&](const FileDialog& dialog) -> std::optional<std::vector<std::wstring>> {
    askedAboutOverwriting = dialog.overwritePrompt && dialog.kind == FileDialog::Kind::Save;
    return std::vector<std::wstring>{path};
  });
  SetPopupMenuChooser([this](HMENU menu, POINT) -> UINT {
    return menu == form->ToolAs<DiskTool>().Pop2.Get() ? DiskTool::kCmdSaveRTAF : 0;
  });
  PostMessageW(form->ToolAs<DiskTool>().LstLargest, WM_CONTEXTMENU,
               reinterpret_cast<WPARAM>(form->ToolAs<DiskTool>().LstLargest), MAKELPARAM(10, 10));
  PumpMessages();
  EXPECT_TRUE(askedAboutOverwriting);
  const std::string bytes = ReadBytes(path);
  std::string expected;
  for (const auto& line : kTopFive) expected += std::string(line.begin(), line.end()) + "\r\n";
  EXPECT_EQ(bytes, expected);
  DeleteFileW(path.c_str());
}

TEST_F(DiskPage, TheCountBoxAndTheDriveBoxTakeNoTypedCharacters) {
  HWND countEdit = FindWindowExW(form->ToolAs<DiskTool>().Cbo_SC, nullptr, L"Edit", nullptr);
  HWND driveEdit = FindWindowExW(form->ToolAs<DiskTool>().CboAD.Handle(), nullptr, L"Edit", nullptr);
  ASSERT_TRUE(countEdit && driveEdit);
  Type(countEdit, L"7x");
  Type(driveEdit, L"D");
  EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().Cbo_SC), L"5");
  EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().CboAD.Handle()), L"C:");
}

TEST_F(DiskPage, TheThresholdStartsAtTenAndTakesOnlyANumber) {
  const wchar_t separator = UserDecimalSeparator();
  EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().EditAA), std::wstring(L"10") + separator + L"0");
  SetWindowTextW(form->ToolAs<DiskTool>().EditAA, L"");
  Type(form->ToolAs<DiskTool>().EditAA, std::wstring(L"1a-") + separator + L"5" + separator + L"2");
  EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().EditAA), std::wstring(L"1") + separator + L"52");
  Type(form->ToolAs<DiskTool>().EditAA, L"\b\b");
  EXPECT_EQ(WindowTextOf(form->ToolAs<DiskTool>().EditAA), std::wstring(L"1") + separator);
}

TEST_F(DiskPage, AnArmedAlertWarnsWhileTheDriveHasLessSpaceAtOnceThenEveryTenMinutes) {
  std::int64_t steady = 6000;  // the wall clock, set back or on meanwhile, plays no part
  SetSteadyClockReader([&steady] { return steady; });
  SendMessageW(form->ToolAs<DiskTool>().CboAD.Handle(), CB_SETCURSEL, static_cast<WPARAM>(IndexOfDrive(L'Q')), 0);
  // A threshold taken back with blanks around it shows without them.
  form->ToolAs<DiskTool>().RestoreSettings(SettingsFile::Decode({L"[Alert]", L"Threshold= 99999999\t"}));
  ClickAlert();
  EXPECT_TRUE(AlertChecked());
  EXPECT_TRUE(form->ToolAs<DiskTool>().Ajastin3.Enabled());
  EXPECT_FALSE(IsWindowEnabled(form->ToolAs<DiskTool>().EditAA));
  EXPECT_EQ(form->ToolAs<DiskTool>().CboAD.Chosen(), L'Q');
  EXPECT_FALSE(IsWindowEnabled(form->ToolAs<DiskTool>().CboAD.Handle())) << "the watched drive stays chosen";
  SendMessageW(form->PageHandle(PageOf<DiskTool>()), WM_TIMER, DiskTool::kTimerLowSpace, 0);
  ASSERT_EQ(balloons.size(), 1u);
  EXPECT_EQ(balloons[0].first, L"Your hard drive Q has space less than 99999999 GB available!");
  EXPECT_EQ(balloons[0].second, L"Hard Disk Drive Space Alert");
  // (minute, second, threshold, notices so far); the locked edit's text stands in for the drive's rise.
  const std::tuple<int, int, const wchar_t*, size_t> checks[] = {{0, 12, L"99999999", 1},
                                                                 {10, 5, L"99999999", 1},
                                                                 {10, 6, L"99999999", 2},
                                                                 {10, 12, L"0", 2},
                                                                 {10, 18, L"99999999", 3}};
  for (const auto& [minute, second, text, notices] : checks) {
    steady = (minute * 60 + second) * 1000;
    SetWindowTextW(form->ToolAs<DiskTool>().EditAA, text);
    SendMessageW(form->PageHandle(PageOf<DiskTool>()), WM_TIMER, DiskTool::kTimerLowSpace, 0);
    EXPECT_EQ(balloons.size(), notices) << minute << ":" << second;
  }
  ClickAlert();
  EXPECT_FALSE(form->ToolAs<DiskTool>().Ajastin3.Enabled());
  EXPECT_TRUE(IsWindowEnabled(form->ToolAs<DiskTool>().EditAA));
  EXPECT_TRUE(IsWindowEnabled(form->ToolAs<DiskTool>().CboAD.Handle()));
}

TEST_F(DiskPage, NoWarningWhileTheDriveHasAtLeastTheThreshold) {
  SetWindowTextW(form->ToolAs<DiskTool>().EditAA, L"0");
  ClickAlert();
  ASSERT_TRUE(form->ToolAs<DiskTool>().Ajastin3.Enabled());
  SendMessageW(form->PageHandle(PageOf<DiskTool>()), WM_TIMER, DiskTool::kTimerLowSpace, 0);
  EXPECT_TRUE(balloons.empty());
}

TEST_F(DiskPage, AThresholdThatIsNoNumberOrNoDriveIsRefusedWithAReason) {
  SetWindowTextW(form->ToolAs<DiskTool>().EditAA, L"ten");  // pasted: the key filter never saw it
  {
    BoxRecorder boxes;
    ClickAlert();
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].kind, BoxKind::Notice);
  }
  EXPECT_FALSE(AlertChecked());
  EXPECT_FALSE(form->ToolAs<DiskTool>().Ajastin3.Enabled());
  SetWindowTextW(form->ToolAs<DiskTool>().EditAA, L"5");
  SendMessageW(form->ToolAs<DiskTool>().CboAD.Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetWindowTextW(form->ToolAs<DiskTool>().CboAD.Handle(), L"");
  {
    BoxRecorder boxes;
    ClickAlert();
    EXPECT_EQ(boxes.Calls().size(), 1u);
  }
  EXPECT_FALSE(AlertChecked());
}

TEST_F(DiskPage, AnEmptyThresholdUnticksWithoutAWord) {
  SetWindowTextW(form->ToolAs<DiskTool>().EditAA, L"");
  BoxRecorder boxes;
  ClickAlert();
  EXPECT_FALSE(AlertChecked());
  EXPECT_FALSE(form->ToolAs<DiskTool>().Ajastin3.Enabled());
  EXPECT_TRUE(IsWindowEnabled(form->ToolAs<DiskTool>().EditAA));
  EXPECT_TRUE(boxes.Calls().empty());
}
