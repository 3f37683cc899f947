#pragma once
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/FolderThreads.h"
#include "tools/cleaner/CleanerSearch.h"

// The cleaner's deletion of the files the user left ticked, on a thread of its own, apart from the
// system calls it needs: the window goes on answering, and may stop it between two files.

// What became of one file.
enum class FixOutcome {
  Deleted,
  InUse,       // another program holds it
  Changed,     // something else lies at its path since the search: left alone
  NotDeleted,  // gone, or the system refused for another reason: not reported
};

// How far a fix has come.
struct FixProgress {
  std::size_t done = 0;  // files tried
  std::size_t deleted = 0;
  bool inUse = false;
  bool changed = false;
};

class CleanerFix {
 public:
  using FixOne = std::function<FixOutcome(const CleanableFile& file)>;
  // Starts deleting the files, in order, each by `fixOne`, on a thread run by `runThread`.
  CleanerFix(std::vector<CleanableFile> files, FixOne fixOne, const FolderThreadRunner& runThread);
  // Stops after the file at hand and waits for the thread.
  ~CleanerFix();
  CleanerFix(const CleanerFix&) = delete;
  CleanerFix& operator=(const CleanerFix&) = delete;

  // Asks the thread to end after the file at hand.
  void Stop() { stopping_ = true; }
  // True once every file was tried, or the fix stopped.
  bool Ended() const { return ended_; }
  std::size_t Total() const { return files_.size(); }
  FixProgress Progress() const;

 private:
  void Run();

  const std::vector<CleanableFile> files_;
  const FixOne fixOne_;
  std::atomic<bool> stopping_{false}, ended_{false}, inUse_{false}, changed_{false};
  std::atomic<std::size_t> done_{0}, deleted_{0};
  std::thread thread_;
};

// The boxes that tell how a fix went: the count of files deleted, then why some were left, if they were.
std::vector<std::wstring> FixReport(const FixProgress& progress);

// The question asked before the ticked files are deleted: their count and their total size, in the
// form the largest-files list gives sizes.
std::wstring DeleteQuestion(const std::vector<CleanableFile>& files, wchar_t decimalSeparator);

// The caption of the fix's button while it runs.
std::wstring FixingCaption(std::size_t done, std::size_t total);
