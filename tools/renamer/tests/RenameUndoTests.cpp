#include "tools/renamer/RenameUndo.h"

#include <gtest/gtest.h>

namespace {

UndoRecord SomeRecord() {
  return {L"C:\\p\\x*.jpg",
          false,
          {kHighestStart, true},
          {{L"C:\\p\\a.jpg", L"C:\\p\\x07.jpg", {1234, 133000000000000000}, true, EntryState::Done},
           {L"C:\\p\\b.jpg", L"C:\\p\\x08.jpg", {0, 0}, false, EntryState::Failed},
           {L"C:\\p\\c d.jpg", L"C:\\p\\x09.jpg", {UINT64_MAX, UINT64_MAX}, true, EntryState::Planned}}};
}

std::wstring Damaged(int line) {
  return L"Data\\renamer-undo.txt is damaged (line " + std::to_wstring(line) + L"): nothing was undone.";
}
const std::wstring kCutShort = L"Data\\renamer-undo.txt was cut short: nothing was undone.";
const std::wstring kForeign = L"Data\\renamer-undo.txt is not an undo record of Quoxel: nothing was undone.";

}  // namespace

TEST(UndoRecord, ReadsBackWhatWasWrittenAndNothingElse) {
  const std::vector<std::wstring> lines = UndoRecordLines(SomeRecord());
  const UndoRecordReading reading = ReadUndoRecord(lines);
  ASSERT_TRUE(reading.record) << testing::PrintToString(reading.problem);
  EXPECT_EQ(UndoRecordLines(*reading.record), lines);
  EXPECT_EQ(reading.problem, L"");
  EXPECT_EQ(ReadUndoRecord({}).problem, kCutShort) << "empty";
  // Line 9 is "End"; a case's line beyond it is added.
  const std::tuple<const char*, size_t, std::wstring, std::wstring> cases[] = {
      {"another format", 0, L"Quoxel renamer undo 2", kForeign},
      {"cut within an entry", 8, L"done\tC:\\p\\c d.jpg\tC:\\p\\x0", kCutShort},
      {"empty pattern", 1, L"Pattern\t", Damaged(2)},
      {"start too high", 3, L"Start\t1000000", Damaged(4)},
      {"start below zero", 3, L"Start\t-1", Damaged(4)},
      {"End among the settings", 4, L"End", Damaged(5)},
      {"unknown state", 5, L"moved\tC:\\p\\a.jpg\tC:\\p\\x07.jpg\t1\t2\tfree", Damaged(6)},
      {"empty old path", 5, L"done\t\tC:\\p\\x07.jpg\t1\t2\tfree", Damaged(6)},
      {"size beyond 64 bits", 6, L"done\ta\tb\t18446744073709551616\t2\tfree", Damaged(7)},
      {"neither free nor taken", 7, L"done\ta\tb\t1\t2\tyes", Damaged(8)},
      {"a field missing", 7, L"done\ta\tb\t1\t2", Damaged(8)},
      {"a line after End", 9, L"", Damaged(10)},
  };
  for (const auto& [name, index, text, problem] : cases) {
    std::vector<std::wstring> changed = lines;
    changed.resize(std::max(changed.size(), index + 1));
    changed[index] = text;
    const UndoRecordReading broken = ReadUndoRecord(changed);
    EXPECT_FALSE(broken.record) << name;
    EXPECT_EQ(broken.problem, problem) << name;
  }
}

TEST(DecideUndo, PutsBackOnlyWhatTheRunLeftAsItWas) {
  const FileStamp left{100, 5}, other{100, 6};
  struct Case {
    const char* name;
    EntryState state;
    bool keepCopy;
    std::optional<FileStamp> atNewPath;
    bool oldPathFree, newPathWasFree;
    UndoStep step;
    std::wstring oldPath = L"C:\\p\\a.jpg";
  };
  const Case cases[] = {
      {"failed", EntryState::Failed, false, left, true, true, UndoStep::Nothing},
      {"moved", EntryState::Done, false, left, true, true, UndoStep::MoveBack},
      {"moved, old name taken", EntryState::Done, false, left, false, true, UndoStep::LeaveTaken},
      {"moved, changed", EntryState::Done, false, other, true, true, UndoStep::LeaveChanged},
      {"moved, gone", EntryState::Done, false, std::nullopt, true, true, UndoStep::LeaveGone},
      {"moved to another case", EntryState::Done, false, left, false, true, UndoStep::MoveBack, L"C:\\P\\X1.JPG"},
      {"copied", EntryState::Done, true, left, false, true, UndoStep::DeleteCopy},
      {"planned, moved", EntryState::Planned, false, left, true, true, UndoStep::MoveBack},
      {"planned, not moved", EntryState::Planned, false, left, false, false, UndoStep::Nothing},
      {"planned, another file there", EntryState::Planned, false, other, true, true, UndoStep::Nothing},
      {"planned, copied", EntryState::Planned, true, left, false, true, UndoStep::DeleteCopy},
      {"planned, a file was there", EntryState::Planned, true, left, false, false, UndoStep::Nothing},
  };
  for (const auto& [name, state, keepCopy, atNewPath, oldPathFree, newPathWasFree, step, oldPath] : cases) {
    const UndoEntry entry{oldPath, L"C:\\p\\x1.jpg", left, newPathWasFree, state};
    EXPECT_EQ(DecideUndo(entry, keepCopy, atNewPath, oldPathFree), step) << name;
  }
}

TEST(UndoReport, CountsWhatWasPutBackAndWhyTheRestWasLeft) {
  const std::pair<UndoTally, std::wstring> cases[] = {
      {{1}, L"1 file put back."},
      {{3, 2, 1, 1, 1},
       L"3 files put back. 2 files were left as they are because they changed since the rename. 1 file was left "
       L"because its old name is taken again. 1 file was left because it is gone. 1 file could not be put back."},
      {{0, 1, 2, 2, 2},
       L"0 files put back. 1 file was left as it is because it changed since the rename. 2 files were left because "
       L"their old names are taken again. 2 files were left because they are gone. 2 files could not be put back."},
  };
  for (const auto& [tally, report] : cases) EXPECT_EQ(UndoReport(tally), report) << testing::PrintToString(report);
}
