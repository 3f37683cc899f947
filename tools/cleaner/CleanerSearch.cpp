#include "tools/cleaner/CleanerSearch.h"

#include <algorithm>
#include <iterator>
#include <mutex>
#include <utility>

namespace {

bool IsDotEntry(std::wstring_view name) { return name == L"." || name == L".."; }

// Hidden and system folders are left alone; a link may lead back up (a walk without end) or out of
// the folder being cleaned.
bool IsSubfolderToScan(const CleanerListedEntry& entry) {
  return IsPlainFolder(entry.attributes) && !IsDotEntry(entry.name);
}

// A read-only file cannot be opened for writing; the attribute says so also where the open is granted
// anyway (Wine run by root). A link to a file is not the file the cleaner found.
bool IsFileToCheck(const CleanerListedEntry& entry) {
  return !(entry.attributes & (kAttributeDirectory | kAttributeReadOnly | kAttributeReparsePoint));
}

// Whether the scanned folder lies where its path names it below its known root, both as resolved
// (links followed): no folder between the two is a link.
bool ReachedThroughPlainFolders(const ScanRequest& scan, const std::wstring& resolvedRoot,
                                const std::wstring& resolvedFolder) {
  if (!LiesBelow(scan.folder, scan.root)) return false;
  const std::wstring below = WithTrailingBackslash(scan.folder).substr(WithTrailingBackslash(scan.root).size());
  return SameFolderPath(resolvedFolder, WithTrailingBackslash(resolvedRoot) + below);
}

}  // namespace

std::wstring ExpectedFinalPath(const std::wstring& resolvedFolder, const std::wstring& relative) {
  return WithTrailingBackslash(resolvedFolder) + relative;
}

CleanerSearch::CleanerSearch(CleanerFileSystem fileSystem, std::vector<ScanRequest> scans, unsigned checkers)
    : fileSystem_(std::move(fileSystem)), scans_(std::move(scans)) {
  const unsigned count = std::max(checkers, 1u);
  checkersRunning_ = count;  // before any of them starts, and ends
  threads_.emplace_back([this] { fileSystem_.runThread([this] { Walk(); }); });
  for (unsigned i = 0; i < count; ++i) threads_.emplace_back([this] { fileSystem_.runThread([this] { Check(); }); });
}

CleanerSearch::~CleanerSearch() {
  Stop();
  for (std::thread& thread : threads_) thread.join();
}

void CleanerSearch::Stop() {
  stopping_ = true;
  std::lock_guard<WaitLock> held(lock_);
  lock_.NotifyAll();
}

bool CleanerSearch::Ended() {
  std::lock_guard<WaitLock> held(lock_);
  return walkEnded_ && checkersRunning_ == 0;
}

std::size_t CleanerSearch::FoundCount() {
  std::lock_guard<WaitLock> held(lock_);
  return found_;
}

std::vector<CleanableFile> CleanerSearch::Results() {
  std::lock_guard<WaitLock> held(lock_);
  std::vector<CleanableFile> results;
  for (const Candidate& candidate : candidates_)
    if (candidate.identity)
      results.insert(results.end(), candidate.matches,
                     {candidate.path, candidate.finalPath, *candidate.identity, candidate.size});
  return results;
}

void CleanerSearch::Walk() {
  for (const ScanRequest& scan : scans_) {
    if (stopping_) break;
    if (!scan.profilesOf)
      WalkScan(scan);
    else if (ResolveFromRoot(scan))
      for (const std::wstring& cache : CacheFolders(scan))
        WalkScan({cache, true, scan.filter, {}, std::nullopt, std::nullopt, scan.root});
  }
  std::lock_guard<WaitLock> held(lock_);
  walkEnded_ = true;
  lock_.NotifyAll();
}

// Depth first without recursion: a folder's sub-folders go on the stack in reverse, so that the first
// is walked next, whole, before the second.
void CleanerSearch::WalkScan(const ScanRequest& scan) {
  const std::optional<ResolvedFolder> resolved = ResolveFromRoot(scan);
  if (!resolved) return;
  std::vector<std::wstring> toWalk = {L""};  // paths relative to the scanned folder
  while (!toWalk.empty() && !stopping_) {
    const std::wstring relative = std::move(toWalk.back());
    toWalk.pop_back();
    std::vector<std::wstring> subfolders = ListFolder(scan, *resolved, relative);
    if (scan.recurse) toWalk.insert(toWalk.end(), subfolders.rbegin(), subfolders.rend());
  }
}

std::optional<ResolvedFolder> CleanerSearch::ResolveFromRoot(const ScanRequest& scan) {
  std::optional<ResolvedFolder> folder = fileSystem_.resolve(scan.folder);
  if (!folder || scan.root.empty()) return folder;
  const std::optional<ResolvedFolder> root = fileSystem_.resolve(scan.root);
  if (!root || !ReachedThroughPlainFolders(scan, root->path, folder->path)) return std::nullopt;
  return folder;
}

std::vector<std::wstring> CleanerSearch::CacheFolders(const ScanRequest& scan) {
  return BrowserCacheFolders({scan.folder, *scan.profilesOf}, [this](const std::wstring& folder) {
    std::vector<BrowserEntry> entries;
    fileSystem_.list(folder, [&](const CleanerListedEntry& entry) {
      if (!IsDotEntry(entry.name)) entries.push_back({std::wstring(entry.name), entry.attributes});
    });
    return entries;
  });
}

std::vector<std::wstring> CleanerSearch::ListFolder(const ScanRequest& scan, const ResolvedFolder& resolved,
                                                    const std::wstring& relative) {
  const std::wstring dir = WithTrailingBackslash(scan.folder) + relative;
  std::vector<Candidate> files;
  std::vector<std::wstring> subfolders;
  fileSystem_.list(dir, [&](const CleanerListedEntry& entry) {
    const std::wstring below = relative + std::wstring(entry.name);
    if (IsSubfolderToScan(entry)) subfolders.push_back(below + L'\\');
    if (!IsFileToCheck(entry)) return;
    const int matches = ScanMatches(scan, std::wstring(entry.name), entry.lastWrite);
    if (matches == 0) return;
    // Below the scanned folder only plain folders are walked: the files lie on its volume.
    std::optional<FileIdentity> listed;
    if (entry.fileId != 0) listed = FileIdentity{resolved.volume, entry.fileId};
    files.push_back(
        {dir + std::wstring(entry.name), ExpectedFinalPath(resolved.path, below), matches, entry.size, listed, {}});
  });
  Offer(std::move(files));
  return subfolders;
}

void CleanerSearch::Offer(std::vector<Candidate> found) {
  if (found.empty()) return;
  std::lock_guard<WaitLock> held(lock_);
  std::move(found.begin(), found.end(), std::back_inserter(candidates_));
  lock_.NotifyAll();
}

void CleanerSearch::Check() {
  std::unique_lock<WaitLock> held(lock_);
  for (;;) {
    lock_.Wait([this] { return stopping_ || nextToCheck_ < candidates_.size() || walkEnded_; });
    if (stopping_ || nextToCheck_ == candidates_.size()) break;
    Candidate& candidate = candidates_[nextToCheck_++];
    held.unlock();
    std::optional<FileIdentity> identity = fileSystem_.check(candidate.path, candidate.finalPath, candidate.listed);
    held.lock();
    candidate.identity = identity;
    if (identity) found_ += static_cast<std::size_t>(candidate.matches);
  }
  --checkersRunning_;
  lock_.NotifyAll();
}
