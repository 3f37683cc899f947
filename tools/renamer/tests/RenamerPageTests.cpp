// The "File Renamer" page on real files in a scratch folder.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/Navigation.h"
#include "tests/support/FormTest.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "tools/renamer/RenamerTool.h"

namespace {

using Lines = std::vector<std::wstring>;
using Balloons = std::vector<std::pair<std::wstring, std::wstring>>;

class RenamerPage : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ShowPage(PageOf<RenamerTool>());
  }
  std::wstring ProgramFolder() const override { return data.ProgramFolder(); }
  RenamerTool& Renamer() { return form->ToolAs<RenamerTool>(); }
  std::wstring File(const std::wstring& name) const { return data.File(name); }
  void AddFiles(const Lines& names) {
    Lines paths;
    for (const std::wstring& name : names) paths.push_back(File(name));
    SetFileDialogAnswerer([paths](const FileDialog&) { return std::optional<Lines>(paths); });
    SendMessageW(Renamer().BtnAddF, BM_CLICK, 0, 0);
  }
  void SetPattern(const std::wstring& pattern) { SetWindowTextW(Renamer().EditRen, pattern.c_str()); }
  std::wstring Pattern() { return WindowTextOf(Renamer().EditRen); }
  // Presses "Convert!", answers Yes to the question; returns the boxes shown.
  std::vector<BoxCall> Convert(bool copy = false) {
    SendMessageW(Renamer().ChkCopy, BM_SETCHECK, copy ? BST_CHECKED : BST_UNCHECKED, 0);
    BoxRecorder boxes({IDYES});
    SendMessageW(Renamer().BtnConv, BM_CLICK, 0, 0);
    return boxes.Calls();
  }
  Lines Entries() { return ListItems(Renamer().LstRen); }
  // What a screen reader hears of each row: the name its file will get.
  Lines Previews() {
    Lines previews;
    for (long child = 1; child <= static_cast<long>(Entries().size()); ++child)
      previews.push_back(AccessibleItemDescription(Renamer().LstRen, child));
    return previews;
  }
  void ChooseFromListMenu(UINT command) {
    SetPopupMenuChooser([this, command](HMENU menu, POINT) -> UINT { return menu == Renamer().PopRen.Get() ? command : 0; });
    PostMessageW(Renamer().LstRen, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Renamer().LstRen), -1);
    PumpMessages();
  }
  // Twelve photos IMG_1.jpg ... IMG_12.jpg, each holding its own name, added in the order given.
  Lines AddPhotos(bool reversed = false) {
    Lines names;
    for (int i = 1; i <= 12; ++i) {
      names.push_back(L"IMG_" + std::to_wstring(i) + L".jpg");
      WriteBytes(File(names.back()), "photo " + std::to_string(i));
    }
    if (reversed) std::reverse(names.begin(), names.end());
    AddFiles(names);
    return names;
  }
  void Restart() {
    form.reset();
    form = std::make_unique<TFrmMain>(GetModuleHandleW(nullptr), ProgramFolder());
    ShowWindow(form->Handle(), SW_SHOWNORMAL);
    PumpMessages();
    ShowPage(PageOf<RenamerTool>());
  }
  void PressUndo(std::vector<BoxCall>* boxes) {
    BoxRecorder recorder({IDOK});
    SendMessageW(Renamer().BtnUndo, BM_CLICK, 0, 0);
    *boxes = recorder.Calls();
  }

  ScratchDataFolder data{L"renamer-test"};
};

// Every check and its message are PatternProblem's own tests; here the folder check asks the disk: a
// missing folder is refused, an existing one passes on to the next check.
TEST_F(RenamerPage, APatternProblemIsShownAndChangesNothing) {
  WriteBytes(File(L"a.txt"), "a");
  AddFiles({L"a.txt"});
  for (const auto& [pattern, message] : std::vector<std::pair<std::wstring, std::wstring>>{
           {L"C:\\nothere\\a*b*.jpg", L"The Directory \"C:\\nothere\\\" does not exist!"},
           {File(L"a*b*.jpg"), L"Use only one asterisk (*)!"}}) {
    SetPattern(pattern);
    const auto boxes = Convert();
    ASSERT_EQ(boxes.size(), 1u) << testing::PrintToString(pattern);
    EXPECT_EQ(boxes[0].kind, BoxKind::Notice);
    EXPECT_EQ(boxes[0].text, message);
    EXPECT_EQ(Entries(), Lines{File(L"a.txt")});
    EXPECT_EQ(Pattern(), pattern);
  }
  EXPECT_EQ(ReadBytes(File(L"a.txt")), "a");
}

TEST_F(RenamerPage, TenEntriesGetTheNumbersOneToTenWithoutPadding) {
  Lines names;
  for (int i = 1; i <= 10; ++i) {
    names.push_back(L"in" + std::to_wstring(i) + L".png");
    WriteBytes(File(names.back()), std::to_string(i));
  }
  AddFiles(names);
  EXPECT_EQ(Pattern(), File(L""));  // the first entry's folder, for the user to complete
  SetPattern(File(L"x*.jpg"));
  const auto boxes = Convert();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].kind, BoxKind::Confirmation);
  EXPECT_EQ(boxes[0].text, L"Are you sure?");
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(ReadBytes(File(L"x" + std::to_wstring(i) + L".jpg")), std::to_string(i));
  EXPECT_TRUE(Entries().empty());
  EXPECT_EQ(Pattern(), L"");
  EXPECT_FALSE(IsWindowEnabled(Renamer().BtnConv));
  EXPECT_EQ(balloons, (Balloons{{L"Files renamed!", L"QVR"}}));
}

// Nothing is ever replaced; the entries that failed stay listed with the pattern, and are counted.
TEST_F(RenamerPage, EntriesThatCannotTakeTheirNameStayListedAndAreCounted) {
  struct Case {
    Lines list;
    bool copy;
    std::string x1, x2;
    Lines left;
  };
  for (const Case& c :
       {Case{{L"a.txt", L"x1.jpg"}, false, "", "x1", {L"a.txt"}},
        Case{{L"a.txt", L"x1.jpg"}, true, "x1", "x1", {L"a.txt"}},
        Case{{L"a.txt", L"a.txt"}, false, "a", "", {L"a.txt"}}, Case{{L"a.txt", L"a.txt"}, true, "a", "a", {}}}) {
    WriteBytes(File(L"a.txt"), "a");
    if (c.list[1] == L"x1.jpg") WriteBytes(File(L"x1.jpg"), "x1");
    SendMessageW(Renamer().LstRen, LB_RESETCONTENT, 0, 0);
    AddFiles(c.list);
    SetPattern(File(L"x*.jpg"));
    Convert(c.copy);
    EXPECT_EQ(ReadBytes(File(L"x1.jpg")), c.x1) << testing::PrintToString(c.list) << c.copy;
    EXPECT_EQ(ReadBytes(File(L"x2.jpg")), c.x2) << testing::PrintToString(c.list) << c.copy;
    Lines left;
    for (const std::wstring& name : c.left) left.push_back(File(name));
    EXPECT_EQ(Entries(), left);
    EXPECT_EQ(Pattern(), left.empty() ? L"" : File(L"x*.jpg"));
    EXPECT_EQ(balloons.back().first,
              left.empty() ? L"Files renamed!" : L"1 of 2 files renamed. The files left in the list were not renamed.");
    for (const wchar_t* name : {L"a.txt", L"x1.jpg", L"x2.jpg"}) DeleteFileW(File(name).c_str());
  }
}

// Both fills of the visible list, from the dialog and after a run, in one batch: one entry at a time
// took about 4.4 ms each under Wine (the scroll bar redrawn at each), some 90 s for this list.
TEST_F(RenamerPage, TwentyThousandEntriesLoadWholeAndInOrderFromTheDialogAndAfterARun) {
  form->SetActivePage(PageOf<RenamerTool>());
  ASSERT_TRUE(IsWindowVisible(Renamer().LstRen));
  Lines names, paths;
  for (int i = 20000; i > 0; --i) names.push_back(L"gone" + std::to_wstring(i) + L".png");  // not in sorted order
  for (const std::wstring& name : names) paths.push_back(File(name));
  const DWORD start = GetTickCount();
  AddFiles(names);
  EXPECT_EQ(Entries(), paths);
  SetPattern(File(L"x*.jpg"));
  Convert();  // no file is there: every entry fails and the list is filled again with them
  EXPECT_EQ(Entries(), paths);
  EXPECT_EQ(balloons.back().first, L"0 of 20000 files renamed. The files left in the list were not renamed.");
  EXPECT_LT(GetTickCount() - start, 30000u);
}

TEST_F(RenamerPage, EnterInThePatternActsAsConvertOnlyWhileItIsEnabled) {
  SetPattern(File(L"x*.jpg"));
  SendMessageW(Renamer().EditRen, WM_KEYDOWN, VK_RETURN, 0);  // an empty list: no box (the guard would fail)
  AddFiles({L"a.txt"});
  SetPattern(File(L"x*.jpg"));
  BoxRecorder boxes({IDNO});
  SendMessageW(Renamer().EditRen, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, L"Are you sure?");
  EXPECT_EQ(Entries(), Lines{File(L"a.txt")});
}

TEST_F(RenamerPage, ThePatternStaysUntilTheLastEntryIsRemoved) {
  AddFiles({L"a", L"b"});
  SetPattern(File(L"x*.jpg"));
  AddFiles({L"c"});
  EXPECT_EQ(Pattern(), File(L"x*.jpg"));
  for (const int remaining : {2, 1, 0}) {
    SCOPED_TRACE(testing::Message() << remaining << " left");
    ClickListItem(Renamer().LstRen, 0, 10);
    SendMessageW(Renamer().BtnRem1, BM_CLICK, 0, 0);
    EXPECT_EQ(Entries().size(), static_cast<size_t>(remaining));
    EXPECT_FALSE(IsWindowEnabled(Renamer().BtnRem1));
  }
  EXPECT_EQ(Pattern(), L"");
  EXPECT_FALSE(IsWindowEnabled(Renamer().BtnConv));
}

TEST_F(RenamerPage, AMovedEntryKeepsTheFocusSoThatItMovesAgain) {
  AddFiles({L"a", L"b", L"c"});
  ClickListItem(Renamer().LstRen, 2, 10);
  for (int press = 0; press < 3; ++press) SendMessageW(Renamer().BtnMU, BM_CLICK, 0, 0);  // the third does nothing
  EXPECT_EQ(Entries(), (Lines{File(L"c"), File(L"a"), File(L"b")}));
  SendMessageW(Renamer().BtnMD, BM_CLICK, 0, 0);
  EXPECT_EQ(Entries(), (Lines{File(L"a"), File(L"c"), File(L"b")}));
  EXPECT_EQ(SendMessageW(Renamer().LstRen, LB_GETCARETINDEX, 0, 0), 1);
}

// The preview follows the pattern, the numbers and the order; a name another file holds is marked;
// while the pattern or the first number fails its check, no row tells a new name.
TEST_F(RenamerPage, EachRowTellsTheNameItWillGetAndFollowsEveryChange) {
  AddPhotos(/*reversed=*/true);
  ChooseFromListMenu(RenamerTool::kCmdSortByName);
  EXPECT_EQ(Entries().front(), File(L"IMG_1.jpg"));  // digits by value: IMG_2 before IMG_10
  EXPECT_EQ(Entries()[1], File(L"IMG_2.jpg"));
  WriteBytes(File(L"holiday-03.jpg"), "another photo");
  SetPattern(File(L"holiday-*.jpg"));
  EXPECT_EQ(Previews()[2], L"holiday-3.jpg");  // the defaults: no padding
  SendMessageW(Renamer().ChkWidth, BM_CLICK, 0, 0);
  Lines expected;
  for (int i = 1; i <= 12; ++i) expected.push_back(L"holiday-" + std::wstring(i < 10 ? L"0" : L"") + std::to_wstring(i) + L".jpg");
  expected[2] += L" (exists)";
  EXPECT_EQ(Previews(), expected);
  SetWindowTextW(Renamer().EditStart, L"0");
  EXPECT_EQ(Previews()[3], L"holiday-03.jpg (exists)");
  for (const auto& [pattern, start] : {std::pair<std::wstring, std::wstring>{File(L"holiday.jpg"), L"1"}, {File(L"h*.jpg"), L""}}) {
    SetPattern(pattern);
    SetWindowTextW(Renamer().EditStart, start.c_str());
    EXPECT_EQ(Previews(), Lines(12)) << testing::PrintToString(pattern) << testing::PrintToString(start);
  }
}

// The undo record outlives the program: after a restart, undo puts back the very names and bytes and
// brings the files back into the list with the pattern.
TEST_F(RenamerPage, UndoAfterARestartGivesBackTheNamesAndBytes) {
  const Lines names = AddPhotos();
  SendMessageW(Renamer().ChkWidth, BM_CLICK, 0, 0);
  SetPattern(File(L"holiday-*.jpg"));
  Convert();
  EXPECT_EQ(ReadBytes(File(L"holiday-12.jpg")), "photo 12");
  EXPECT_TRUE(IsWindowEnabled(Renamer().BtnUndo));
  Restart();
  ASSERT_TRUE(IsWindowEnabled(Renamer().BtnUndo));
  std::vector<BoxCall> boxes;
  PressUndo(&boxes);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, UndoReport({12}));
  Lines paths;
  for (int i = 1; i <= 12; ++i) {
    EXPECT_EQ(ReadBytes(File(names[i - 1])), "photo " + std::to_string(i));
    EXPECT_TRUE(IsPathAbsent(File(L"holiday-" + std::wstring(i < 10 ? L"0" : L"") + std::to_wstring(i) + L".jpg")));
    paths.push_back(File(names[i - 1]));
  }
  EXPECT_EQ(Entries(), paths);
  EXPECT_EQ(Pattern(), File(L"holiday-*.jpg"));
  EXPECT_FALSE(IsWindowEnabled(Renamer().BtnUndo));
  EXPECT_TRUE(IsPathAbsent(File(L"renamer-undo.txt")));
}

// Undo deletes only the copies the run made and left as they were; a changed one stays, and is told.
TEST_F(RenamerPage, UndoLeavesAChangedCopyAndSaysWhy) {
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) WriteBytes(File(name), "original");
  AddFiles({L"a.txt", L"b.txt", L"c.txt"});
  SetPattern(File(L"x*.txt"));
  Convert(/*copy=*/true);
  WriteBytes(File(L"x2.txt"), "edited since");
  std::vector<BoxCall> boxes;
  PressUndo(&boxes);
  ASSERT_EQ(boxes.size(), 1u);
  UndoTally tally;
  tally.putBack = 2, tally.changed = 1;
  EXPECT_EQ(boxes[0].text, UndoReport(tally));
  EXPECT_TRUE(IsPathAbsent(File(L"x1.txt")));
  EXPECT_EQ(ReadBytes(File(L"x2.txt")), "edited since");
  EXPECT_TRUE(IsPathAbsent(File(L"x3.txt")));
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) EXPECT_EQ(ReadBytes(File(name)), "original");
  EXPECT_FALSE(IsWindowEnabled(Renamer().BtnUndo));  // a changed file is left for good
}

// A drop adds what it stands for (FilesOfDrop's own test has the order and what is left out), and the
// pattern takes the first file's folder as "Add Files" gives it.
TEST_F(RenamerPage, DroppedFilesAndFoldersAreAdded) {
  const std::wstring folder = File(L"trip");
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const wchar_t* name : {L"trip\\IMG_1.jpg", L"z.txt"}) WriteBytes(File(name), "x");
  DropFiles(Renamer().LstRen, {File(L"z.txt"), folder});
  EXPECT_EQ(Entries(), (Lines{File(L"z.txt"), File(L"trip\\IMG_1.jpg")}));
  EXPECT_EQ(Pattern(), File(L""));
}

// A copy of hundreds of megabytes runs beside the window: it answers another thread meanwhile, shows
// the count on "Convert!", and ignores a press of "Add Files" (an unscripted dialog fails the test).
TEST_F(RenamerPage, TheWindowAnswersDuringALongCopy) {
  constexpr LONGLONG kSize = 256LL << 20;
  {
    const ScopedHandle big(CreateFileW(File(L"big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    LARGE_INTEGER end{};
    end.QuadPart = kSize;
    ASSERT_TRUE(SetFilePointerEx(big.Get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(big.Get()));
  }
  AddFiles({L"big.bin"});
  SetPattern(File(L"copy*.bin"));
  std::atomic<bool> ended{false}, sawCount{false};
  const HWND button = Renamer().BtnConv, add = Renamer().BtnAddF;
  std::thread watcher([&] {
    wchar_t caption[64] = L"";
    DWORD_PTR length = 0;
    while (!ended && !sawCount) {
      if (SendMessageTimeoutW(button, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(caption), SMTO_NORMAL, 2000, &length) &&
          std::wstring(caption) == L"Renaming... 0 of 1") {
        SendMessageTimeoutW(add, BM_CLICK, 0, 0, SMTO_NORMAL, 2000, &length);
        sawCount = true;
      }
    }
  });
  Convert(/*copy=*/true);
  ended = true;
  watcher.join();
  EXPECT_TRUE(sawCount);
  WIN32_FILE_ATTRIBUTE_DATA copied{};
  ASSERT_TRUE(GetFileAttributesExW(File(L"copy1.bin").c_str(), GetFileExInfoStandard, &copied));
  EXPECT_EQ(copied.nFileSizeLow, static_cast<DWORD>(kSize));
  EXPECT_EQ(WindowTextOf(button), L"Convert!");
  for (const wchar_t* name : {L"big.bin", L"copy1.bin"}) DeleteFileW(File(name).c_str());
}

}  // namespace
