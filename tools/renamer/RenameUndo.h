#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/renamer/RenamePattern.h"

// What the renamer's last run did, kept in Data\renamer-undo.txt so that "Undo last rename" can put
// it back, also after a crash or a restart: written before the first file is touched, and again as
// files are done.

// A file's size and last write time (FILETIME's count): a move keeps both, and so does a copy.
struct FileStamp {
  std::uint64_t size = 0, writeTime = 0;
  friend bool operator==(const FileStamp& a, const FileStamp& b) {
    return a.size == b.size && a.writeTime == b.writeTime;
  }
};

enum class EntryState {
  Planned,  // not known to be done: the run had not reported it when the record was last written
  Done,     // moved or copied; `stamp` is what the run left at the new path
  Failed,   // left as it was
};

struct UndoEntry {
  std::wstring oldPath, newPath;
  FileStamp stamp;              // the source's before the run; the new file's once done
  bool newPathWasFree = false;  // no file was at the new path when the run was planned
  EntryState state = EntryState::Planned;
};

struct UndoRecord {
  std::wstring pattern;
  bool keepCopy = false;
  NumberStyle numbers;
  std::vector<UndoEntry> entries;  // in the run's order
};

// The record as the lines of its file, the first naming the format and the last closing it, so that
// a file cut short or belonging to something else is told apart.
std::vector<std::wstring> UndoRecordLines(const UndoRecord& record);
// The record read back, or why it cannot be: "Data\renamer-undo.txt is damaged (line 7): nothing was
// undone." — a record that is damaged, cut short or foreign is never acted on.
struct UndoRecordReading {
  std::optional<UndoRecord> record;
  std::wstring problem;  // empty when read
};
UndoRecordReading ReadUndoRecord(const std::vector<std::wstring>& lines);

// What undo does with one entry, from what lies at its paths now.
enum class UndoStep {
  Nothing,       // the run left it as it was
  MoveBack,      // a moved file goes back to its old path
  DeleteCopy,    // a copy the run made is deleted
  LeaveChanged,  // the file at the new path has another size or write time than the run left
  LeaveTaken,    // the old path is taken again (a move)
  LeaveGone,     // nothing at the new path any more
};
// `atNewPath`: the stamp of the file at the new path, if one is there; `oldPathFree`: nothing at the
// old path. A planned entry (the run may have been cut short just after it) counts as done when the
// evidence says so: moved, when its old path is free and the new path holds a file with its stamp;
// copied, when its new path was free at the plan and now holds a file with its stamp. Never deletes a
// file the run did not create, never replaces one.
UndoStep DecideUndo(const UndoEntry& entry, bool keepCopy, const std::optional<FileStamp>& atNewPath,
                    bool oldPathFree);

// How an undo went, counted by step.
struct UndoTally {
  int putBack = 0;  // moved back or copies deleted
  int changed = 0, taken = 0, gone = 0, failed = 0;  // left as they are; failed: the system refused
};
// The box at the end of an undo: "12 files put back." and, when some were left, how many and why.
std::wstring UndoReport(const UndoTally& tally);
