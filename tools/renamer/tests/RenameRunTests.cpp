#include "tools/renamer/RenameRun.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

UndoRecord RecordOf(int files) {
  UndoRecord record;
  for (int i = 0; i < files; ++i) {
    UndoEntry entry;
    entry.oldPath = L"C:\\in\\" + std::to_wstring(i);
    entry.newPath = L"C:\\out\\" + std::to_wstring(i);
    record.entries.push_back(entry);
  }
  return record;
}

void WaitUntil(const std::function<bool()>& done) {
  while (!done()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace

// Each entry is marked as the file comes back; a stop ends the run after the file at hand and leaves
// the rest planned, as a crash would, so that the record tells the undo what may have been done.
TEST(RenameRun, MarksEachFileAndStopsAfterTheOneAtHand) {
  std::atomic<int> started{0};
  std::atomic<bool> release{false};
  RenameRun run(RecordOf(4), [&](const UndoEntry& entry, bool) -> std::optional<FileStamp> {
    if (++started == 2) WaitUntil([&] { return release.load(); });
    if (entry.oldPath == L"C:\\in\\0") return std::nullopt;  // the system refused
    return FileStamp{7, 9};
  });
  WaitUntil([&] { return started == 2; });
  const UndoRecord midway = run.Record();
  EXPECT_EQ(midway.entries[0].state, EntryState::Failed);
  EXPECT_EQ(midway.entries[1].state, EntryState::Planned);  // at hand
  run.Stop();
  release = true;
  WaitUntil([&] { return run.Ended(); });
  const UndoRecord ended = run.Record();
  EXPECT_EQ(run.Done(), 2u);
  EXPECT_EQ(ended.entries[1].state, EntryState::Done);
  EXPECT_EQ(ended.entries[1].stamp, (FileStamp{7, 9}));
  EXPECT_EQ(ended.entries[2].state, EntryState::Planned);
  EXPECT_EQ(ended.entries[3].state, EntryState::Planned);
}
