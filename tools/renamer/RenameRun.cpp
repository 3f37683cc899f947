#include "tools/renamer/RenameRun.h"

#include <mutex>
#include <utility>

RenameRun::RenameRun(UndoRecord record, RenameOne renameOne)
    : record_(std::move(record)), renameOne_(std::move(renameOne)), thread_([this] { Run(); }) {}

RenameRun::~RenameRun() {
  Stop();
  thread_.join();
}

std::size_t RenameRun::Total() const { return record_.entries.size(); }

UndoRecord RenameRun::Record() const {
  const std::lock_guard<WaitLock> hold(lock_);
  return record_;
}

// Only this thread changes the entries; the lock keeps a copy taken meanwhile whole.
void RenameRun::Run() {
  for (UndoEntry& entry : record_.entries) {
    if (stopping_) break;
    const std::optional<FileStamp> renamed = renameOne_(entry, record_.keepCopy);
    {
      const std::lock_guard<WaitLock> hold(lock_);
      entry.state = renamed ? EntryState::Done : EntryState::Failed;
      if (renamed) entry.stamp = *renamed;
    }
    ++done_;
  }
  ended_ = true;
}
