// The "File Renamer" page on real files in a scratch folder.
#include <windows.h>
#include <gtest/gtest.h>

#include "app/Navigation.h"
#include "tests/support/FormTest.h"
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

}  // namespace
