#pragma once
#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <thread>

#include "platform/WaitLock.h"
#include "tools/renamer/RenameUndo.h"

// A renamer run on a thread of its own, apart from the system calls it needs: the window goes on
// answering during a copy of gigabytes, and may stop the run between two files. The record it keeps
// says at every moment which files are done, for the undo.
class RenameRun {
 public:
  // Moves or copies one entry's file to its new path without replacing a file; the stamp of the file
  // then at the new path when done, nothing when the file was left as it was.
  using RenameOne = std::function<std::optional<FileStamp>(const UndoEntry& entry, bool keepCopy)>;

  // Starts renaming the record's entries in order.
  RenameRun(UndoRecord record, RenameOne renameOne);
  // Stops after the file at hand and waits for the thread.
  ~RenameRun();
  RenameRun(const RenameRun&) = delete;
  RenameRun& operator=(const RenameRun&) = delete;

  // Asks the thread to end after the file at hand; the files not reached stay planned.
  void Stop() { stopping_ = true; }
  // True once every file was tried, or the run stopped.
  bool Ended() const { return ended_; }
  std::size_t Done() const { return done_; }
  std::size_t Total() const;
  // The record with each entry as far as the run has come.
  UndoRecord Record() const;

 private:
  void Run();

  UndoRecord record_;
  const RenameOne renameOne_;
  mutable WaitLock lock_;  // guards record_'s entries
  std::atomic<bool> stopping_{false}, ended_{false};
  std::atomic<std::size_t> done_{0};
  std::thread thread_;
};
