#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/FileAttributeBits.h"
#include "platform/FileIdentity.h"
#include "platform/FolderThreads.h"
#include "platform/WaitLock.h"
#include "tools/cleaner/CleanerScans.h"

// The cleaner's search of its folders, apart from the system calls it needs. One thread walks the
// folders in order (a folder's files in listing order, then its sub-folders depth first), and checker
// threads open the files it finds: opening is the cost of a search, listing is cheap.

struct CleanerListedEntry {
  std::wstring_view name;
  std::uint32_t attributes;
  std::uint64_t fileId;  // the file system's index of what the entry names; 0: none given
  std::uint64_t size;
  std::uint64_t lastWrite;  // a file time: 100 ns since 1601, UTC
};

// A scanned folder as the system resolves it, links followed.
struct ResolvedFolder {
  std::wstring path;     // on Windows "\\?\C:\..."
  std::uint32_t volume;  // the serial number of the volume it lies on
};

// The system's part; `check` is called from several threads at once.
struct CleanerFileSystem {
  // Nothing when the folder cannot be opened.
  std::function<std::optional<ResolvedFolder>(const std::wstring& folder)> resolve;
  // Every entry of the folder `dir` (ending with a backslash), "." and ".." included.
  std::function<void(const std::wstring& dir, const std::function<void(const CleanerListedEntry&)>& visit)> list;
  // The identity of the file at `path` when it opens for reading and writing without sharing and the
  // system's final path of what was opened is `finalPath`; nothing otherwise. The identity is `listed`
  // when the listing told it (asking an open file costs more than opening it), else the open file's.
  std::function<std::optional<FileIdentity>(const std::wstring& path, const std::wstring& finalPath,
                                            const std::optional<FileIdentity>& listed)>
      check;
  // Runs the work of each of the search's threads.
  FolderThreadRunner runThread = RunAsItIs;
};

// A file the cleaner may delete: the listed path, where it must still lie and what it must still be.
struct CleanableFile {
  std::wstring path;
  std::wstring finalPath;
  FileIdentity identity;
  std::uint64_t size;  // as the listing that found it gave it
};

// The path a file found at `relative` below a scanned folder must have once opened: below the folder's
// resolved path. The scanned folder itself may be a link where it is its own root; nothing below it
// may be one.
std::wstring ExpectedFinalPath(const std::wstring& resolvedFolder, const std::wstring& relative);

class CleanerSearch {
 public:
  // Starts the walk and `checkers` checker threads (at least one).
  CleanerSearch(CleanerFileSystem fileSystem, std::vector<ScanRequest> scans, unsigned checkers);
  // Stops the search where it is and waits for its threads.
  ~CleanerSearch();
  CleanerSearch(const CleanerSearch&) = delete;
  CleanerSearch& operator=(const CleanerSearch&) = delete;

  // Asks the threads to end after the entry at hand; what was checked so far is kept.
  void Stop();
  // True once the walk and every check have ended (or stopped).
  bool Ended();
  // The entries found so far that passed their check.
  std::size_t FoundCount();
  // Once ended: the files that passed their check, in the walk's order, each as many times as filter
  // entries matched its name.
  std::vector<CleanableFile> Results();

 private:
  struct Candidate {
    std::wstring path;
    std::wstring finalPath;
    int matches;
    std::uint64_t size;
    std::optional<FileIdentity> listed;
    std::optional<FileIdentity> identity;  // once checked and passed
  };
  void Walk();
  void WalkScan(const ScanRequest& scan);
  // The scanned folder as resolved; nothing when it cannot be opened or is reached from its known
  // root through a link.
  std::optional<ResolvedFolder> ResolveFromRoot(const ScanRequest& scan);
  // The cache folders of the browser's profiles, listed on the walking thread.
  std::vector<std::wstring> CacheFolders(const ScanRequest& scan);
  // Offers the folder's files that pass the scan's filter and gives its sub-folders to walk.
  std::vector<std::wstring> ListFolder(const ScanRequest& scan, const ResolvedFolder& resolved,
                                       const std::wstring& relative);
  void Offer(std::vector<Candidate> found);
  void Check();

  const CleanerFileSystem fileSystem_;
  const std::vector<ScanRequest> scans_;
  std::atomic<bool> stopping_{false};
  WaitLock lock_;                     // guards what follows; notified whenever it changes
  std::deque<Candidate> candidates_;  // a candidate stays where it is while others are added
  std::size_t nextToCheck_ = 0;
  std::size_t found_ = 0;
  bool walkEnded_ = false;
  unsigned checkersRunning_ = 0;
  std::vector<std::thread> threads_;
};
