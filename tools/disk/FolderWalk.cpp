#include "tools/disk/FolderWalk.h"

#include <mutex>
#include <utility>

namespace {

bool IsDotEntry(std::wstring_view name) { return name == L"." || name == L".."; }

// Hidden and system folders, and everything below them, are left out.
bool IsWalkedFolder(const ListedEntry& entry) {
  return (entry.attributes & kAttributeDirectory) && !(entry.attributes & (kAttributeHidden | kAttributeSystem)) &&
         !IsDotEntry(entry.name);
}

std::optional<FolderKey> SubfolderIdentity(const ListedEntry& entry, const std::optional<FolderKey>& parent) {
  if (!parent || entry.fileId == 0 || (entry.attributes & kAttributeReparsePoint)) return std::nullopt;
  return FolderKey{parent->volume, entry.fileId};
}

std::wstring SubfolderPath(const std::wstring& dir, std::wstring_view name) {
  std::wstring path;
  path.reserve(dir.size() + name.size() + 1);
  return path.append(dir).append(name).append(1, L'\\');
}

void OfferFiles(const std::wstring& dir, const WalkListing& listing, const WalkCallbacks& callbacks) {
  std::wstring path = dir;
  for (const WalkEntry& entry : listing.entries) {
    if (entry.isFolder || (callbacks.wantsFile && !callbacks.wantsFile(entry.size))) continue;
    path.resize(dir.size());
    callbacks.offerFile(path.append(listing.Name(entry)), entry.size);
  }
}

void Walk(ListingCache& cache, const WalkPosition& position, const std::wstring& dir,
          const std::optional<FolderKey>& known, std::set<FolderKey>& walked, const WalkCallbacks& callbacks) {
  if (!callbacks.keepGoing()) return;
  ListingCache::Folder folder = cache.Take(position, dir, known);
  // Links to a folder (or to one above it) lead back to folders already walked: walk each folder once,
  // so that every search ends and lists each file once.
  if (folder.identity && !walked.insert(*folder.identity).second) return;
  const WalkListing listing =
      folder.listing ? std::move(*folder.listing) : ListForWalk(cache.Access(), dir, folder.identity);
  OfferFiles(dir, listing, callbacks);
  WalkPosition subfolder = position;
  subfolder.push_back(0);
  for (const WalkEntry& entry : listing.entries) {
    if (!entry.isFolder) continue;
    Walk(cache, subfolder, SubfolderPath(dir, listing.Name(entry)), entry.identity, walked, callbacks);
    ++subfolder.back();
  }
}

}  // namespace

void WalkListing::Add(std::wstring_view name, std::int64_t size, bool isFolder,
                      const std::optional<FolderKey>& identity) {
  entries.push_back(
      {static_cast<std::uint32_t>(names.size()), static_cast<std::uint32_t>(name.size()), size, isFolder, identity});
  names.append(name);
}

WalkListing ListForWalk(const FolderAccess& access, const std::wstring& dir, const std::optional<FolderKey>& identity) {
  WalkListing listing;
  access.list(dir, [&](const ListedEntry& entry) {
    if (!(entry.attributes & kAttributeDirectory))
      listing.Add(entry.name, entry.size, false, std::nullopt);
    else if (IsWalkedFolder(entry))
      listing.Add(entry.name, 0, true, SubfolderIdentity(entry, identity));
  });
  return listing;
}

ListingCache::ListingCache(FolderAccess access, const std::wstring& root, unsigned workers)
    : access_(std::move(access)), listingAhead_(workers > 0) {
  if (!listingAhead_) return;
  pending_.emplace(WalkPosition{}, Found{root, std::nullopt});
  try {
    for (unsigned i = 0; i < workers; ++i) workers_.emplace_back([this] { access_.runThread([this] { Work(); }); });
  } catch (...) {
    StopWorkers();  // the threads already started must not outlive a failed construction
    throw;
  }
}

ListingCache::~ListingCache() { StopWorkers(); }

void ListingCache::StopWorkers() {
  {
    const std::lock_guard<WaitLock> lock(lock_);
    stopping_ = true;
  }
  lock_.NotifyAll();
  for (std::thread& worker : workers_) worker.join();
  workers_.clear();
}

bool ListingCache::HasRoomAhead() const {
  return ready_.size() + listing_.size() < kMaxFoldersAhead && entriesReady_ < kMaxEntriesAhead;
}

void ListingCache::Work() {
  std::unique_lock<WaitLock> lock(lock_);
  for (;;) {
    lock_.Wait([this] { return stopping_ || (!pending_.empty() && HasRoomAhead()); });
    if (stopping_) return;
    auto next = pending_.begin();
    WalkPosition position = next->first;
    Found found = std::move(next->second);
    pending_.erase(next);
    listing_.insert(position);
    lock.unlock();
    Folder folder = Visit(position, found);
    lock.lock();
    listing_.erase(position);
    Store(std::move(position), Ready{std::move(found.dir), std::move(folder)});
    lock_.NotifyAll();
  }
}

void ListingCache::Store(WalkPosition position, Ready ready) {
  if (position < taken_) return;  // in a part of the tree the walk has passed by
  if (ready.folder.listing) entriesReady_ += ready.folder.listing->entries.size();
  ready_.emplace(std::move(position), std::move(ready));
}

ListingCache::Folder ListingCache::Visit(const WalkPosition& position, const Found& found) {
  const std::optional<FolderKey> identity = found.identity ? found.identity : access_.identify(found.dir);
  {
    const std::lock_guard<WaitLock> lock(lock_);
    if (identity && !met_.insert(*identity).second) return Folder{identity, std::nullopt};
  }
  WalkListing listing = ListForWalk(access_, found.dir, identity);
  if (!listingAhead_) return Folder{identity, std::move(listing)};
  {
    const std::lock_guard<WaitLock> lock(lock_);
    WalkPosition subfolder = position;
    subfolder.push_back(0);
    for (const WalkEntry& entry : listing.entries) {
      if (!entry.isFolder) continue;
      if (!(subfolder < taken_))
        pending_.emplace(subfolder, Found{SubfolderPath(found.dir, listing.Name(entry)), entry.identity});
      ++subfolder.back();
    }
  }
  lock_.NotifyAll();
  return Folder{identity, std::move(listing)};
}

void ListingCache::DropBefore(const WalkPosition& position) {
  pending_.erase(pending_.begin(), pending_.lower_bound(position));
  const auto end = ready_.lower_bound(position);
  for (auto it = ready_.begin(); it != end; ++it)
    if (it->second.folder.listing) entriesReady_ -= it->second.folder.listing->entries.size();
  ready_.erase(ready_.begin(), end);
}

ListingCache::Folder ListingCache::Take(const WalkPosition& position, const std::wstring& dir,
                                        const std::optional<FolderKey>& known) {
  std::unique_lock<WaitLock> lock(lock_);
  taken_ = position;
  DropBefore(position);
  lock_.Wait([&] { return listing_.count(position) == 0; });
  const auto ready = ready_.find(position);
  if (ready != ready_.end() && ready->second.dir == dir) {
    Folder folder = std::move(ready->second.folder);
    if (folder.listing) entriesReady_ -= folder.listing->entries.size();
    ready_.erase(ready);
    lock.unlock();
    lock_.NotifyAll();
    return folder;
  }
  pending_.erase(position);
  lock.unlock();
  return Visit(position, Found{dir, known});
}

void WalkFolders(const std::wstring& root, const FolderAccess& access, unsigned workers, std::set<FolderKey>& walked,
                 const WalkCallbacks& callbacks) {
  ListingCache cache(access, root, workers);
  Walk(cache, WalkPosition{}, root, std::nullopt, walked, callbacks);
}
