#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/FileAttributeBits.h"
#include "platform/FolderThreads.h"
#include "platform/WaitLock.h"

// The largest-files search's walk of a drive, apart from the system calls it needs: depth first, each
// folder's files offered in listing order before its visible sub-folders are walked in listing order,
// each real folder walked once. Worker threads list the folders the walk is about to reach, so that the
// calling thread mostly takes listings ready made and the walk's cost is shared among the cores.

// What tells one folder from another whatever path leads to it (links, junctions, mounts).
struct FolderKey {
  std::uint32_t volume;
  std::uint64_t index;
  bool operator<(const FolderKey& other) const {
    return volume != other.volume ? volume < other.volume : index < other.index;
  }
};

// What the walk keeps of a listing entry: a file, or a folder it walks into with the folder's identity
// when the listing tells it. The name is a part of its listing's `names`.
struct WalkEntry {
  std::uint32_t nameStart;
  std::uint32_t nameLength;
  std::int64_t size;
  bool isFolder;
  std::optional<FolderKey> identity;
};

// A folder's entries with their names in one piece: a listing costs a few allocations, not one per
// entry, since the listings are made on one thread and freed on another.
struct WalkListing {
  std::wstring names;
  std::vector<WalkEntry> entries;

  void Add(std::wstring_view name, std::int64_t size, bool isFolder, const std::optional<FolderKey>& identity);
  std::wstring_view Name(const WalkEntry& entry) const {
    return std::wstring_view(names).substr(entry.nameStart, entry.nameLength);
  }
};

struct ListedEntry {
  std::wstring_view name;
  std::uint32_t attributes;
  std::int64_t size;
  std::uint64_t fileId;  // the file system's identifier of what the entry names; 0: none
};
using EntryVisitor = std::function<void(const ListedEntry&)>;

// The system's part, called from several threads at once. `dir` ends with a backslash.
struct FolderAccess {
  // Nothing when the folder cannot be opened.
  std::function<std::optional<FolderKey>(const std::wstring& dir)> identify;
  // Every entry in the file system's order; nothing when the folder cannot be listed.
  std::function<void(const std::wstring& dir, const EntryVisitor& visit)> list;
  // Runs each listing worker's work, and the walk's when it has a thread of its own.
  FolderThreadRunner runThread = RunAsItIs;
};

// The files and the walked sub-folders (neither hidden nor system, nor "." and "..") of a folder. A
// sub-folder's identity is its volume's (the folder's) with the identifier the listing gives, except for
// a link, whose entry may describe the link itself: it is identified when walked.
WalkListing ListForWalk(const FolderAccess& access, const std::wstring& dir, const std::optional<FolderKey>& identity);

// Position of a folder in the walk's order: the indexes of the sub-folders that lead to it from the
// root. Comparing two positions as sequences orders them as the walk reaches them.
using WalkPosition = std::vector<std::uint32_t>;

// Listings made ahead of the walk by worker threads, earliest in the walk's order first. At most
// kMaxFoldersAhead listings, holding at most kMaxEntriesAhead entries together, wait for the walk;
// each worker may hold one more folder's listing while it is making it.
class ListingCache {
 public:
  static constexpr std::size_t kMaxFoldersAhead = 256;
  static constexpr std::size_t kMaxEntriesAhead = 65536;

  struct Folder {
    std::optional<FolderKey> identity;
    std::optional<WalkListing> listing;  // nothing when the folder was met before under another path
  };

  // With no workers every folder is listed by the thread that takes it.
  ListingCache(FolderAccess access, const std::wstring& root, unsigned workers);
  // Stops the workers once each has finished its folder, and waits for them.
  ~ListingCache();
  ListingCache(const ListingCache&) = delete;
  ListingCache& operator=(const ListingCache&) = delete;

  // The folder at `position`: its listing when it is ready, else waits for the worker listing it, or
  // lists it here. Positions must be taken in increasing order; anything before is dropped. `known` is
  // the folder's identity when its parent's listing gave it.
  Folder Take(const WalkPosition& position, const std::wstring& dir, const std::optional<FolderKey>& known);
  const FolderAccess& Access() const { return access_; }

 private:
  struct Found {
    std::wstring dir;
    std::optional<FolderKey> identity;
  };
  struct Ready {
    std::wstring dir;
    Folder folder;
  };
  void StopWorkers();
  void Work();
  bool HasRoomAhead() const;
  Folder Visit(const WalkPosition& position, const Found& found);
  void DropBefore(const WalkPosition& position);
  void Store(WalkPosition position, Ready ready);

  const FolderAccess access_;
  const bool listingAhead_;
  WaitLock lock_;                          // guards what follows; notified whenever it changes
  std::map<WalkPosition, Found> pending_;  // found, not yet listed
  std::set<WalkPosition> listing_;         // being listed by a worker
  std::map<WalkPosition, Ready> ready_;    // listed, waiting for the walk
  std::size_t entriesReady_ = 0;
  std::set<FolderKey> met_;  // folders listed by anyone: a folder met again is not listed again
  WalkPosition taken_;       // the walk's last position
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

struct WalkCallbacks {
  // Called as each folder is reached; false ends the walk.
  std::function<bool()> keepGoing;
  std::function<void(const std::wstring& path, std::int64_t size)> offerFile;
  // When given, a file of a size it refuses is not offered (and its path is never made).
  std::function<bool(std::int64_t size)> wantsFile = nullptr;
};

// Walks `root` (ending with a backslash) with `workers` threads listing ahead. `walked` holds the
// folders already walked, and gains those walked now.
void WalkFolders(const std::wstring& root, const FolderAccess& access, unsigned workers, std::set<FolderKey>& walked,
                 const WalkCallbacks& callbacks);
