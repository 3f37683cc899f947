// The search's walk with workers listing ahead, on real folders, against a plain single-thread walk of
// the same folders with the listing calls alone.
#include "tools/disk/DriveWalk.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>
#include <thread>
#include <utility>

#include "utilities/LargestFiles.h"

namespace {

using Offers = std::vector<std::pair<std::wstring, std::int64_t>>;

void MakeFile(const std::wstring& path, std::int64_t size) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot make a test file";
  LARGE_INTEGER end;
  end.QuadPart = size;
  SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);
}

void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW entry;
  const HANDLE listing = FindFirstFileW((dir + L"*").c_str(), &entry);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      SetFileAttributesW((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(dir + name + L"\\");
      else
        DeleteFileW((dir + name).c_str());
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);
  }
  RemoveDirectoryW(dir.c_str());
}

// A generated tree of folders in the temporary folder, removed at the end: hidden and system folders,
// files of few sizes (equal sizes compete for the last places), empty folders, a deep chain from the
// root with a file at its end.
class GeneratedTree {
 public:
  explicit GeneratedTree(unsigned seed) : random_(seed) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"quoxel-walk-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(seed) + L"\\";
    RemoveTree(root_);
    CreateDirectoryW(root_.c_str(), nullptr);
    folders_.push_back(root_);
    const wchar_t* const names[] = {L"data", L"Résumé", L"данные", L"with space", L"x"};
    for (int i = 1; i < 60; ++i) {
      const std::wstring folder = folders_[Below(i)] + names[Below(5)] + std::to_wstring(i) + L"\\";
      CreateDirectoryW(folder.c_str(), nullptr);
      if (Below(10) == 0) SetFileAttributesW(folder.c_str(), Below(2) ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_SYSTEM);
      folders_.push_back(folder);
    }
    std::wstring chain = root_;
    for (int depth = 0; depth < 25; ++depth) {
      chain += L"c" + std::to_wstring(depth) + L"\\";
      CreateDirectoryW(chain.c_str(), nullptr);
      folders_.push_back(chain);
    }
    const std::int64_t sizes[] = {0, 1, 100, 4096, 70000};
    for (const std::wstring& folder : folders_)
      for (int f = Below(7); f > 0; --f) MakeFile(folder + L"f" + std::to_wstring(f) + L".bin", sizes[Below(5)]);
    MakeFile(Leaf() + L"leaf.bin", 5);
  }
  ~GeneratedTree() { RemoveTree(root_); }
  const std::wstring& Root() const { return root_; }
  // The last folder of the chain: it has no sub-folder.
  const std::wstring& Leaf() const { return folders_.back(); }

 private:
  int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  std::mt19937 random_;
  std::wstring root_;
  std::vector<std::wstring> folders_;
};

// The walk as a plain recursion over FindFirstFileW: a folder's files, then its visible sub-folders.
void PlainWalk(const std::wstring& dir, Offers& offers) {
  std::vector<std::wstring> subfolders;
  WIN32_FIND_DATAW entry;
  const HANDLE listing = FindFirstFileW((dir + L"*.*").c_str(), &entry);
  if (listing == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = entry.cFileName;
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      offers.emplace_back(dir + name, static_cast<std::int64_t>(entry.nFileSizeLow));
    else if (!(entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && name != L"." &&
             name != L"..")
      subfolders.push_back(name);
  } while (FindNextFileW(listing, &entry));
  FindClose(listing);
  for (const std::wstring& name : subfolders) PlainWalk(dir + name + L"\\", offers);
}

Offers PlainOffers(const std::wstring& root) {
  Offers offers;
  PlainWalk(root, offers);
  return offers;
}

Offers SearchOffers(
    const std::wstring& root, const std::function<void(int)>& atFolder = [](int) {}) {
  Offers offers;
  std::set<FolderKey> walked;
  int reached = 0;
  WalkFolders(root, DriveFolderAccess(), SearchWorkers(), walked,
              {[&] {
                 atFolder(++reached);
                 return true;
               },
               [&](const std::wstring& path, std::int64_t size) { offers.emplace_back(path, size); }});
  return offers;
}

std::vector<std::wstring> ResultLines(const Offers& offers) {
  ResetLargestFiles();
  LargestFilesCount = 20;
  for (const auto& [path, size] : offers) AddLargestFile(path, size);
  SortLargestFiles();
  std::vector<std::wstring> lines;
  for (int i = 1; i <= LargestFilesCount; ++i)
    lines.push_back(SortedLargestFile(i).path + L"\t " + FormatFileSize(i, L'.'));
  return lines;
}

TEST(DriveWalk, ListsTheSameFilesInTheSameOrderAsThePlainWalk) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const GeneratedTree tree(seed);
    const Offers expected = PlainOffers(tree.Root());
    ASSERT_GT(expected.size(), 30u);
    const Offers offers = SearchOffers(tree.Root());
    EXPECT_EQ(offers, expected);
    EXPECT_EQ(ResultLines(offers), ResultLines(expected));
  }
}

TEST(DriveWalk, AFolderRemovedDuringTheWalkGivesTheTreeWithOrWithoutIt) {
  for (int removeAt : {1, 20, 50}) {
    SCOPED_TRACE("removed at folder " + std::to_string(removeAt));
    const GeneratedTree tree(7);
    const Offers withIt = PlainOffers(tree.Root());
    const Offers offers = SearchOffers(tree.Root(), [&](int folder) {
      if (folder == removeAt) RemoveTree(tree.Leaf());
    });
    const Offers withoutIt = PlainOffers(tree.Root());
    ASSERT_NE(withIt, withoutIt) << "the removed folder held files";
    EXPECT_TRUE(offers == withIt || offers == withoutIt);
  }
}

TEST(DriveWalk, AFolderThatCannotBeListedGivesNothing) {
  std::set<FolderKey> walked;
  int offered = 0;
  WalkFolders(L"Q:\\no such folder\\", DriveFolderAccess(), SearchWorkers(), walked,
              {[] { return true; }, [&](const std::wstring&, std::int64_t) { ++offered; }});
  EXPECT_EQ(offered, 0);
}

}  // namespace

namespace {

// The files a search's walk offers below `root`, by their path below it, on a thread of the walk's.
Offers WalkedBelow(const std::wstring& root) {
  Offers offers;
  std::set<FolderKey> walked;
  std::thread walk([&] {
    DriveFolderAccess().runThread([&] {
      WalkFolders(
          root, DriveFolderAccess(), SearchWorkers(), walked,
          {[] { return true; },
           [&](const std::wstring& path, std::int64_t size) { offers.emplace_back(path.substr(root.size()), size); }});
    });
  });
  walk.join();
  std::sort(offers.begin(), offers.end());
  return offers;
}

}  // namespace

// A 32-bit program on the prefix's 64-bit Windows is shown SysWOW64 under the name System32, unless the
// walk turns the redirection off. The same folder reached through the host's drive Z: is never
// redirected: it is the host's own listing.
TEST(DriveWalk, TheSystemFolderIsWalkedAsItIsNotAsRedirected) {
  wchar_t windows[MAX_PATH];
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  using ToUnix = char*(CDECL*)(const wchar_t*);
  char* unix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")))(windows);
  std::wstring host = L"Z:" + std::wstring(unix, unix + strlen(unix)) + L"\\system32\\";
  HeapFree(GetProcessHeap(), 0, unix);
  std::replace(host.begin(), host.end(), L'/', L'\\');
  const Offers hostFiles = WalkedBelow(host);
  ASSERT_GT(hostFiles.size(), 100u);
  EXPECT_EQ(WalkedBelow(std::wstring(windows) + L"\\system32\\"), hostFiles);
}
