// The walk with workers listing ahead against a plain single-thread walk, over generated trees.
#include "tools/disk/FolderWalk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <thread>
#include <utility>

#include "utilities/LargestFiles.h"

namespace {

struct FakeEntry {
  std::wstring name;
  std::uint32_t attributes;
  std::int64_t size;
  int folder;  // for a folder entry: which folder it leads to (a link when another entry leads there too)
  std::uint64_t fileId;
};

std::uint64_t FolderId(int folder) { return static_cast<std::uint64_t>(folder) + 1; }

struct FakeFolder {
  std::vector<FakeEntry> entries;
  bool listable = true;
  std::atomic<bool> removed{false};
};

// A drive in memory, read from several threads; only a folder's removal changes it.
class FakeDrive {
 public:
  explicit FakeDrive(int folders) {
    for (int i = 0; i < folders; ++i) folders_.push_back(std::make_unique<FakeFolder>());
  }
  FakeFolder& Folder(int index) { return *folders_[index]; }
  int Size() const { return static_cast<int>(folders_.size()); }
  // Folder `index` disappears when the listing with this number (from 1) starts.
  void RemoveAtListing(int index, int listing) {
    removedFolder_ = index;
    removalListing_ = listing;
  }
  std::atomic<int> listings{0};

  FolderAccess Access() {
    return {[this](const std::wstring& dir) -> std::optional<FolderKey> {
              const int folder = Resolve(dir);
              if (folder < 0) return std::nullopt;
              return FolderKey{7, FolderId(folder)};
            },
            [this](const std::wstring& dir, const EntryVisitor& visit) {
              if (++listings == removalListing_) folders_[removedFolder_]->removed = true;
              const int folder = Resolve(dir);
              if (folder < 0 || !folders_[folder]->listable) return;
              visit({L".", kAttributeDirectory, 0, FolderId(folder)});
              visit({L"..", kAttributeDirectory, 0, 0});
              for (const FakeEntry& entry : folders_[folder]->entries)
                visit({entry.name, entry.attributes, entry.size, entry.fileId});
            }};
  }

 private:
  // "R:\a\b\" to the folder it names, -1 when there is none.
  int Resolve(const std::wstring& dir) const {
    int folder = 0;
    for (size_t start = 3; start < dir.size();) {
      const size_t end = dir.find(L'\\', start);
      const std::wstring name = dir.substr(start, end - start);
      int next = -1;
      for (const FakeEntry& entry : folders_[folder]->entries)
        if (entry.folder >= 0 && entry.name == name) next = entry.folder;
      if (next < 0 || folders_[next]->removed) return -1;
      folder = next;
      start = end + 1;
    }
    return folders_[folder]->removed ? -1 : folder;
  }

  std::vector<std::unique_ptr<FakeFolder>> folders_;
  int removedFolder_ = 0;
  int removalListing_ = -1;
};

struct TreeShape {
  const char* what;
  int folders;
  int maxFilesPerFolder;
  int distinctSizes;  // few sizes: many equal sizes compete for the last places
  double hiddenShare;
  int links;        // as Wine shows them (the target's identifier), as junctions (their own) or as mounts (unmarked)
  int chainDepth;   // a chain of single folders hung under a random folder
  bool unlistable;  // one folder cannot be listed
  bool fileIds = true;  // false: the listings give no identifiers, as on some file systems
};

std::unique_ptr<FakeDrive> MakeDrive(const TreeShape& shape, unsigned seed) {
  std::mt19937 random(seed);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const int total = shape.folders + shape.chainDepth;
  auto drive = std::make_unique<FakeDrive>(total);
  for (int i = 1; i < total; ++i) {
    const bool chained = i >= shape.folders;
    const int parent = chained && i > shape.folders ? i - 1 : below(i);
    std::uint32_t attributes = kAttributeDirectory;
    if (!chained && std::uniform_real_distribution<>(0, 1)(random) < shape.hiddenShare)
      attributes |= below(2) ? kAttributeHidden : kAttributeSystem;
    drive->Folder(parent).entries.push_back({L"d" + std::to_wstring(i), attributes, 0, i, FolderId(i)});
  }
  for (int i = 0; i < total; ++i) {
    auto& entries = drive->Folder(i).entries;
    const int files = shape.maxFilesPerFolder ? below(shape.maxFilesPerFolder + 1) : 0;
    for (int f = 0; f < files; ++f) {
      const std::int64_t size = std::int64_t{below(shape.distinctSizes)} << (below(3) * 10);
      entries.insert(entries.begin() + below(static_cast<int>(entries.size()) + 1),
                     {L"f" + std::to_wstring(f) + L".bin", below(4) ? 0u : kAttributeHidden, size, -1, 0});
    }
  }
  for (int i = 0; i < shape.links; ++i) {
    const int target = below(total);
    const int kind = below(3);
    drive->Folder(below(total))
        .entries.push_back({L"link" + std::to_wstring(i), kAttributeDirectory | (kind < 2 ? kAttributeReparsePoint : 0),
                            0, target, kind == 1 ? 1000000u + i : FolderId(target)});
  }
  if (shape.unlistable && total > 1) drive->Folder(1 + below(total - 1)).listable = false;
  if (!shape.fileIds)
    for (int i = 0; i < total; ++i)
      for (FakeEntry& entry : drive->Folder(i).entries) entry.fileId = 0;
  return drive;
}

using Offers = std::vector<std::pair<std::wstring, std::int64_t>>;

// The walk as it was written before the workers: identify, skip a walked folder, one listing, files
// first, then the visible sub-folders; `stopAt` ends it at that folder (counted from 1).
void PlainWalk(const FolderAccess& access, const std::wstring& dir, std::set<FolderKey>& walked, Offers& offers,
               int& reached, int stopAt) {
  if (++reached >= stopAt) return;
  if (const auto identity = access.identify(dir); identity && !walked.insert(*identity).second) return;
  std::vector<std::wstring> subfolders;
  access.list(dir, [&](const ListedEntry& entry) {
    const std::wstring name(entry.name);
    if (!(entry.attributes & kAttributeDirectory))
      offers.emplace_back(dir + name, entry.size);
    else if (!(entry.attributes & (kAttributeHidden | kAttributeSystem)) && name != L"." && name != L"..")
      subfolders.push_back(name);
  });
  for (const std::wstring& name : subfolders) PlainWalk(access, dir + name + L"\\", walked, offers, reached, stopAt);
}

Offers ReferenceOffers(FakeDrive& drive, int stopAt = 1 << 30) {
  std::set<FolderKey> walked;
  Offers offers;
  int reached = 0;
  PlainWalk(drive.Access(), L"R:\\", walked, offers, reached, stopAt);
  return offers;
}

Offers WalkWithWorkers(FakeDrive& drive, unsigned workers, int stopAt = 1 << 30) {
  std::set<FolderKey> walked;
  Offers offers;
  int reached = 0;
  WalkFolders(L"R:\\", drive.Access(), workers, walked,
              {[&] { return ++reached < stopAt; },
               [&](const std::wstring& path, std::int64_t size) { offers.emplace_back(path, size); }});
  return offers;
}

// The result lines the page would list for these offers.
std::vector<std::wstring> ResultLines(const Offers& offers, int count) {
  ResetLargestFiles();
  LargestFilesCount = static_cast<std::int8_t>(count);
  for (const auto& [path, size] : offers) AddLargestFile(path, size);
  SortLargestFiles();
  std::vector<std::wstring> lines;
  for (int i = 1; i <= count; ++i) lines.push_back(SortedLargestFile(i).path + L"\t " + FormatFileSize(i, L'.'));
  return lines;
}

const TreeShape kShapes[] = {
    {"a broad tree with hidden and system folders", 300, 12, 1000, 0.1, 0, 0, false},
    {"equal sizes competing for the last places", 120, 8, 3, 0.05, 0, 0, false},
    {"mostly empty folders", 200, 1, 50, 0.0, 0, 0, false},
    {"a deep chain", 20, 3, 100, 0.0, 0, 150, false},
    {"links back to walked folders", 80, 5, 20, 0.05, 25, 0, false},
    {"links on a file system without identifiers", 80, 5, 20, 0.05, 25, 0, false, false},
    {"a folder that cannot be listed", 100, 6, 40, 0.1, 3, 10, true},
    {"a drive with the root alone", 1, 10, 5, 0.0, 0, 0, false},
};

TEST(FolderWalk, ListsTheSameResultLinesAsTheSingleThreadWalk) {
  for (const TreeShape& shape : kShapes) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
      const auto drive = MakeDrive(shape, seed);
      const Offers expected = ReferenceOffers(*drive);
      for (unsigned workers : {0u, 1u, 2u, 4u}) {
        SCOPED_TRACE(std::string(shape.what) + ", seed " + std::to_string(seed) + ", workers " +
                     std::to_string(workers));
        const Offers offers = WalkWithWorkers(*drive, workers);
        ASSERT_EQ(offers, expected) << "the same files in the same order";
        for (int count : {5, 20}) EXPECT_EQ(ResultLines(offers, count), ResultLines(expected, count));
      }
    }
  }
}

TEST(FolderWalk, EndsAtTheFolderWhereItIsToldToStopAndLeavesNoWorkerRunning) {
  const auto drive = MakeDrive(kShapes[0], 3);
  for (int stopAt : {1, 2, 7, 60}) {
    SCOPED_TRACE("stop at folder " + std::to_string(stopAt));
    EXPECT_EQ(WalkWithWorkers(*drive, 2, stopAt), ReferenceOffers(*drive, stopAt));
  }
}

TEST(FolderWalk, AFolderRemovedDuringTheWalkGivesEitherTree) {
  const TreeShape shape{"removal", 150, 6, 500, 0.0, 0, 0, false};
  for (unsigned seed = 1; seed <= 10; ++seed) {
    for (int listing : {1, 10, 40, 90, 140}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", removed at listing " + std::to_string(listing));
      const auto drive = MakeDrive(shape, seed);
      int leaf = shape.folders - 1;  // a folder without sub-folders: either all its files are seen or none
      while (leaf > 1 && !std::all_of(drive->Folder(leaf).entries.begin(), drive->Folder(leaf).entries.end(),
                                      [](const FakeEntry& entry) { return entry.folder < 0; }))
        --leaf;
      const Offers withIt = ReferenceOffers(*drive);
      drive->listings = 0;
      drive->RemoveAtListing(leaf, listing);
      const Offers offers = WalkWithWorkers(*drive, 2);
      drive->Folder(leaf).removed = true;
      const Offers withoutIt = ReferenceOffers(*drive);
      EXPECT_TRUE(offers == withIt || offers == withoutIt);
    }
  }
}

struct AheadCase {
  int folders;
  int filesPerFolder;
};

// Workers do list ahead, and no further than the cache's caps.
TEST(FolderWalk, ListsAheadOfTheWalkWithinTheCaps) {
  for (const AheadCase& ahead : {AheadCase{2000, 0}, AheadCase{400, 2000}}) {
    SCOPED_TRACE(std::to_string(ahead.folders) + " folders of " + std::to_string(ahead.filesPerFolder) + " files");
    const auto drive = MakeDrive({"ahead", ahead.folders, 0, 1, 0.0, 0, 0, false}, 5);
    for (int i = 0; i < drive->Size(); ++i)
      for (int f = 0; f < ahead.filesPerFolder; ++f) drive->Folder(i).entries.push_back({L"f", 0, 1, -1, 0});
    constexpr unsigned kWorkers = 2;
    const int foldersCap = static_cast<int>(std::min(
        ListingCache::kMaxFoldersAhead, ListingCache::kMaxEntriesAhead / std::max(1, ahead.filesPerFolder) + 1));
    int taken = -1, mostAhead = 0;
    std::set<FolderKey> walked;
    WalkFolders(L"R:\\", drive->Access(), kWorkers, walked,
                {[&] {
                   ++taken;
                   if (taken % 50 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a slow window
                   mostAhead = std::max(mostAhead, drive->listings - taken);
                   return true;
                 },
                 [](const std::wstring&, std::int64_t) {}});
    EXPECT_LE(mostAhead, foldersCap + static_cast<int>(kWorkers));
    EXPECT_GE(mostAhead, foldersCap / 2) << "the workers listed ahead";
  }
}

}  // namespace
