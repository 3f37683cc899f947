// The "File Renamer" page on real files in a scratch folder.
#include <windows.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"
#include "tests/support/FormTest.h"
#include "tools/renamer/RenamerTool.h"

namespace {

using Lines = std::vector<std::wstring>;

class RenamerPage : public FormTest {
 protected:
  std::wstring ProgramFolder() const override { return data.ProgramFolder(); }
  RenamerTool& Renamer() { return form->Renamer(); }
  std::wstring File(const std::wstring& name) const { return data.File(name); }
  bool Exists(const std::wstring& name) const { return GetFileAttributesW(File(name).c_str()) != INVALID_FILE_ATTRIBUTES; }

  void AddFiles(const Lines& names) {
    Lines paths;
    for (const std::wstring& name : names) paths.push_back(File(name));
    SetFileDialogAnswerer([paths](const FileDialog&) { return std::optional<Lines>(paths); });
    SendMessageW(Renamer().BtnAddF, BM_CLICK, 0, 0);
    PumpMessages();
  }
  void SetPattern(const std::wstring& pattern) { SetWindowTextW(Renamer().EditRen, pattern.c_str()); }
  void SetCopyMode(bool copy) { SendMessageW(Renamer().ChkCopy, BM_SETCHECK, copy ? BST_CHECKED : BST_UNCHECKED, 0); }
  // Presses "Convert!" and answers the boxes in turn; returns them.
  std::vector<BoxCall> Convert(std::deque<int> answers = {IDYES}) {
    BoxRecorder boxes(std::move(answers));
    SendMessageW(Renamer().BtnConv, BM_CLICK, 0, 0);
    PumpMessages();
    return boxes.Calls();
  }
  Lines Entries() { return ListItems(Renamer().LstRen); }

  ScratchDataFolder data{L"renamer-test"};
};

TEST_F(RenamerPage, EachPatternCheckShowsItsMessageAndChangesNothing) {
  WriteBytes(File(L"a.txt"), "a");
  AddFiles({L"a.txt"});
  const std::wstring folder = File(L"");
  struct Case {
    std::wstring pattern, message;
  };
  for (const Case& c : {
           Case{L"C:\\pics.old\\holiday*", L"Please enter an extension for the file(s) (for example \".jpg\")"},
           Case{L"holiday*.jpg", L"You did not give a folder in the filename!"},
           Case{L"C:\\nothere\\a*b*.jpg", L"The Directory \"C:\\nothere\\\" does not exist!"},
           Case{folder + L"a*b*.jpg", L"Use only one asterisk (*)!"},
           Case{folder + L"holiday.jpg", L"Use asterisk (*) to indicate index-number!"},
       }) {
    SetPattern(c.pattern);
    const auto boxes = Convert();
    ASSERT_EQ(boxes.size(), 1u) << testing::PrintToString(c.pattern);
    EXPECT_EQ(boxes[0].kind, BoxKind::Notice);
    EXPECT_EQ(boxes[0].text, c.message);
    EXPECT_EQ(Entries(), Lines{File(L"a.txt")});
    EXPECT_EQ(WindowTextOf(Renamer().EditRen), c.pattern);
  }
  EXPECT_EQ(ReadBytes(File(L"a.txt")), "a");
  EXPECT_TRUE(balloons.empty());
}

TEST_F(RenamerPage, TenEntriesGetTheNumbersOneToTenWithoutPadding) {
  Lines names;
  for (int i = 1; i <= 10; ++i) {
    names.push_back(L"in" + std::to_wstring(i) + L".png");
    WriteBytes(File(names.back()), std::to_string(i));
  }
  AddFiles(names);
  EXPECT_EQ(WindowTextOf(Renamer().EditRen), File(L""));  // the first entry's folder, to be completed
  SetPattern(File(L"x*.jpg"));
  const auto boxes = Convert();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].kind, BoxKind::Confirmation);
  EXPECT_EQ(boxes[0].text, L"Are you sure?");
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(ReadBytes(File(L"x" + std::to_wstring(i) + L".jpg")), std::to_string(i));
  EXPECT_FALSE(Exists(L"in1.png"));
  EXPECT_TRUE(Entries().empty());
  EXPECT_EQ(WindowTextOf(Renamer().EditRen), L"");
  EXPECT_FALSE(IsWindowEnabled(Renamer().BtnConv));
  EXPECT_EQ(balloons, (std::vector<std::pair<std::wstring, std::wstring>>{{L"Files renamed!", L"QVR"}}));
}

TEST_F(RenamerPage, NoLeavesListAndPatternAsTheyWere) {
  WriteBytes(File(L"a.txt"), "a");
  AddFiles({L"a.txt"});
  SetPattern(File(L"x*.jpg"));
  Convert({IDNO});
  EXPECT_EQ(Entries(), Lines{File(L"a.txt")});
  EXPECT_TRUE(Exists(L"a.txt"));
  EXPECT_FALSE(Exists(L"x1.jpg"));
}

// A list whose entry 2 already has entry 1's new name: entry 1 stays, never replacing x1.jpg, and
// is left in the list with the pattern, reported as 1 of 2.
TEST_F(RenamerPage, AnEntryWhoseNewNameIsTakenStaysInTheListInBothModes) {
  for (const bool copy : {false, true}) {
    WriteBytes(File(L"a.txt"), "a");
    WriteBytes(File(L"x1.jpg"), "x1");
    AddFiles({L"a.txt", L"x1.jpg"});
    SetPattern(File(L"x*.jpg"));
    SetCopyMode(copy);
    Convert();
    EXPECT_EQ(ReadBytes(File(L"a.txt")), "a") << copy;
    EXPECT_EQ(ReadBytes(File(L"x2.jpg")), "x1") << copy;
    EXPECT_EQ(ReadBytes(File(L"x1.jpg")), copy ? "x1" : "") << copy;
    EXPECT_EQ(Entries(), Lines{File(L"a.txt")}) << copy;
    EXPECT_EQ(WindowTextOf(Renamer().EditRen), File(L"x*.jpg")) << copy;
    EXPECT_TRUE(IsWindowEnabled(Renamer().BtnConv)) << copy;
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].first, L"1 of 2 files renamed. The files left in the list were not renamed.");
    EXPECT_EQ(balloons[0].second, L"QVR");
    balloons.clear();
    SendMessageW(Renamer().LstRen, LB_RESETCONTENT, 0, 0);
    for (const wchar_t* name : {L"a.txt", L"x1.jpg", L"x2.jpg"}) DeleteFileW(File(name).c_str());
  }
}

TEST_F(RenamerPage, TheSameFileTwiceMovesOnceButCopiesTwice) {
  for (const bool copy : {false, true}) {
    WriteBytes(File(L"a.txt"), "a");
    AddFiles({L"a.txt", L"a.txt"});
    SetPattern(File(L"x*.jpg"));
    SetCopyMode(copy);
    Convert();
    EXPECT_EQ(ReadBytes(File(L"x1.jpg")), "a") << copy;
    EXPECT_EQ(ReadBytes(File(L"x2.jpg")), copy ? "a" : "") << copy;
    EXPECT_EQ(Exists(L"a.txt"), copy) << copy;
    EXPECT_EQ(Entries(), copy ? Lines{} : Lines{File(L"a.txt")}) << copy;
    SendMessageW(Renamer().LstRen, LB_RESETCONTENT, 0, 0);
    for (const wchar_t* name : {L"a.txt", L"x1.jpg", L"x2.jpg"}) DeleteFileW(File(name).c_str());
  }
}

TEST_F(RenamerPage, EnterInThePatternActsAsConvertOnlyWhileItIsEnabled) {
  SetPattern(File(L"x*.jpg"));
  SendMessageW(Renamer().EditRen, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(balloons.empty());  // no box either: the guard would fail the test
  WriteBytes(File(L"a.txt"), "a");
  AddFiles({L"a.txt"});
  SetPattern(File(L"x*.jpg"));
  BoxRecorder boxes({IDNO});
  SendMessageW(Renamer().EditRen, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, L"Are you sure?");
}

TEST_F(RenamerPage, TheListKeepsItsPatternWhileItHasEntries) {
  WriteBytes(File(L"a.txt"), "a");
  AddFiles({L"a.txt"});
  SetPattern(File(L"x*.jpg"));
  AddFiles({L"a.txt"});  // adding to a non-empty list keeps the pattern
  EXPECT_EQ(WindowTextOf(Renamer().EditRen), File(L"x*.jpg"));
  ClickListItem(Renamer().LstRen, 1, 10);
  SendMessageW(Renamer().BtnRem1, BM_CLICK, 0, 0);
  EXPECT_EQ(WindowTextOf(Renamer().EditRen), File(L"x*.jpg"));
  EXPECT_FALSE(IsWindowEnabled(Renamer().BtnRem1));
  ClickListItem(Renamer().LstRen, 0, 10);
  SendMessageW(Renamer().BtnRem1, BM_CLICK, 0, 0);
  EXPECT_EQ(WindowTextOf(Renamer().EditRen), L"");
  EXPECT_FALSE(IsWindowEnabled(Renamer().BtnConv));
}

TEST_F(RenamerPage, AMovedEntryKeepsTheFocusSoThatItMovesAgain) {
  AddFiles({L"a", L"b", L"c"});
  ClickListItem(Renamer().LstRen, 2, 10);
  ASSERT_TRUE(IsWindowEnabled(Renamer().BtnMU));
  SendMessageW(Renamer().BtnMU, BM_CLICK, 0, 0);
  SendMessageW(Renamer().BtnMU, BM_CLICK, 0, 0);
  SendMessageW(Renamer().BtnMU, BM_CLICK, 0, 0);  // at the top: nothing happens
  EXPECT_EQ(Entries(), (Lines{File(L"c"), File(L"a"), File(L"b")}));
  EXPECT_EQ(SendMessageW(Renamer().LstRen, LB_GETCARETINDEX, 0, 0), 0);
  SendMessageW(Renamer().BtnMD, BM_CLICK, 0, 0);
  EXPECT_EQ(Entries(), (Lines{File(L"a"), File(L"c"), File(L"b")}));
  EXPECT_EQ(SendMessageW(Renamer().LstRen, LB_GETCARETINDEX, 0, 0), 1);
}

}  // namespace
