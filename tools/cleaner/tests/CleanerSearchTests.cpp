// The cleaner's search over folders in memory: what it lists, in which order, and that it stops; and
// its fix, with each file's outcome given.
#include "tools/cleaner/CleanerFix.h"
#include "tools/cleaner/CleanerSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <set>
#include <thread>

namespace {

using Paths = std::vector<std::wstring>;
constexpr std::uint32_t kFile = 0x20, kDir = kAttributeDirectory;

struct FakeEntry {
  std::wstring name;
  std::uint32_t attributes;
  std::uint64_t fileId = 0;
  std::uint64_t lastWrite = 0;
  std::uint64_t size = 0;
};

// Folders by path (ending with a backslash), read from several threads, never changed meanwhile.
struct FakeDisk {
  std::map<std::wstring, std::vector<FakeEntry>> folders;
  std::map<std::wstring, std::wstring> resolved;  // scanned folder -> its resolved path, on volume 7
  std::map<std::wstring, std::wstring> linkedTo;  // file path -> the final path a link leads to
  std::set<std::wstring> inUse;

  CleanerFileSystem Access() {
    return {[this](const std::wstring& folder) -> std::optional<ResolvedFolder> {
              const auto found = resolved.find(folder);
              if (found == resolved.end()) return std::nullopt;
              return ResolvedFolder{found->second, 7};
            },
            [this](const std::wstring& dir, const std::function<void(const CleanerListedEntry&)>& visit) {
              visit({L".", kDir, 1, 0, 0});
              visit({L"..", kDir, 2, 0, 0});
              for (const FakeEntry& entry : folders[dir])
                visit({entry.name, entry.attributes, entry.fileId, entry.size, entry.lastWrite});
            },
            [this](const std::wstring& path, const std::wstring& finalPath,
                   const std::optional<FileIdentity>& listed) -> std::optional<FileIdentity> {
              const auto link = linkedTo.find(path);
              const std::wstring actual = link == linkedTo.end() ? finalPath : link->second;
              if (inUse.count(path) || actual != finalPath) return std::nullopt;
              return listed ? listed : FileIdentity{8, std::hash<std::wstring>()(actual)};
            }};
  }

  // The identity the listing gave, on the scanned folder's volume (7), else the opened file's.
  FileIdentity IdentityOf(const CleanableFile& file) const {
    const size_t name = file.path.rfind(L'\\') + 1;
    for (const FakeEntry& entry : folders.at(file.path.substr(0, name)))
      if (entry.name == file.path.substr(name) && entry.fileId != 0) return {7, entry.fileId};
    return {8, std::hash<std::wstring>()(file.finalPath)};
  }
};

Paths Search(FakeDisk& disk, const std::vector<ScanRequest>& scans, unsigned checkers = 4) {
  CleanerSearch search(disk.Access(), scans, checkers);
  while (!search.Ended()) std::this_thread::yield();
  Paths paths;
  for (const CleanableFile& file : search.Results()) {
    paths.push_back(file.path);
    EXPECT_EQ(file.identity, disk.IdentityOf(file)) << file.path;
  }
  return paths;
}

}  // namespace

// On a standard XP profile the folders are those of "C:\Documents and Settings\<user>", the system's
// temporary folder the old one; elsewhere what the system gives, the system's temporary folder before
// the old one. A folder it could not give would name the drive's root once completed.
TEST(CleanerScans, EachScanStartsFromTheFolderTheSystemGaveAndAMissingOneAddsNoScan) {
  const std::wstring xp = L"C:\\Documents and Settings\\ann";
  const std::wstring xpCache = xp + L"\\Local Settings\\Temporary Internet Files";
  const std::wstring xpTemp = xp + L"\\Local Settings\\Temp", temp = L"D:\\Users\\ann.example\\AppData\\Local\\Temp\\";
  const struct {
    std::wstring profile, cache, cookies, temp;
    std::vector<std::wstring> folders;
  } cases[] = {
      {xp, xpCache, xp + L"\\Cookies", xpTemp + L"\\", {xpTemp + L"\\", xpTemp + L"\\", xpCache, xp + L"\\Cookies"}},
      {L"D:\\Users\\ann.example\\",
       L"D:\\Users\\ann.example\\AppData\\Local\\Microsoft\\Windows\\INetCache",
       L"",
       temp,
       {temp, temp, L"D:\\Users\\ann.example\\Local Settings\\Temp", L"D:\\Users\\ann.example\\Local Settings\\Temp",
        L"D:\\Users\\ann.example\\AppData\\Local\\Microsoft\\Windows\\INetCache"}},
      {L"", L"", L"C:\\c", L"", {L"C:\\c"}},
  };
  for (const auto& c : cases) {
    std::vector<std::wstring> folders;
    for (const ScanRequest& scan : CleanerScans({c.profile, c.cache, c.cookies, L"", c.temp}, 0))
      folders.push_back(scan.folder);
    EXPECT_EQ(folders, c.folders) << testing::PrintToString(c.profile);
  }
}

TEST(CleanerScans, AFileIsListedOnceForEachFilterEntryItsExactExtensionMatches) {
  const std::vector<std::wstring> tmpAndAll = {L".tmp", kAllFiles};
  const struct {
    const wchar_t* name;
    std::vector<std::wstring> filter;
    int matches;
  } cases[] = {
      {L"a.tmp", {L".tmp"}, 1},     {L"a.TMP", {L".tmp"}, 0},
      {L"a.tmp.bak", {L".tmp"}, 0}, {L".tmp", {L".tmp"}, 1},
      {L"a", {kAllFiles}, 1},       {L"a.tmp", tmpAndAll, 2},
      {L"a.txt", tmpAndAll, 1},     {L"a.tmp", {L".tmp", L".tmp"}, 2},
      {L"tmp", {L".tmp"}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FilterMatches(c.name, c.filter), c.matches) << c.name;
}

// A scanned folder that cannot be opened adds nothing; a file listed with its identity keeps it.
TEST(CleanerSearch, ListsAFoldersFilesBeforeItsSubfoldersDepthFirstScanAfterScan) {
  FakeDisk disk;
  disk.resolved = {{L"C:\\T", L"\\\\?\\C:\\T"}, {L"C:\\C\\", L"\\\\?\\D:\\cache"}};
  disk.folders[L"C:\\T\\"] = {{L"s", kDir}, {L"a.tmp", kFile}, {L"u", kDir}, {L"b.tmp", kFile, 41}};
  disk.folders[L"C:\\T\\s\\"] = {{L"deep", kDir}, {L"c.tmp", kFile}};
  disk.folders[L"C:\\T\\s\\deep\\"] = {{L"d.tmp", kFile}};
  disk.folders[L"C:\\T\\u\\"] = {{L"e.tmp", kFile}};
  disk.folders[L"C:\\C\\"] = {{L"page", kFile}, {L"sub", kDir}};
  disk.folders[L"C:\\C\\sub\\"] = {{L"not-walked", kFile}};
  disk.folders[L"C:\\closed\\"] = {{L"a.tmp", kFile}};
  const Paths expected = {L"C:\\T\\a.tmp",          L"C:\\T\\b.tmp",    L"C:\\T\\s\\c.tmp",
                          L"C:\\T\\s\\deep\\d.tmp", L"C:\\T\\u\\e.tmp", L"C:\\C\\page"};
  const std::vector<ScanRequest> scans = {
      {L"C:\\T", true, {L".tmp"}}, {L"C:\\closed", true, {L".tmp"}}, {L"C:\\C\\", false, {kAllFiles}}};
  EXPECT_EQ(Search(disk, scans, 1), expected);
  for (int round = 0; round < 20; ++round) ASSERT_EQ(Search(disk, scans, 4), expected) << "round " << round;
}

// The scanned folder may itself be a link (a profile folder on another drive); nothing below it may.
TEST(CleanerSearch, LeavesOutWhatIsNotAPlainFileFoundWhereItLies) {
  FakeDisk disk;
  disk.resolved = {{L"C:\\T", L"\\\\?\\E:\\elsewhere\\T"}};
  disk.folders[L"C:\\T\\"] = {
      {L"kept.tmp", kFile},
      {L"read-only.tmp", kFile | kAttributeReadOnly},
      {L"windows-link.tmp", kFile | kAttributeReparsePoint},
      {L"wine-link.tmp", kFile},
      {L"busy.tmp", kFile},
      {L"hidden", kDir | kAttributeHidden},
      {L"system", kDir | kAttributeSystem},
      {L"folder-link", kDir | kAttributeReparsePoint},
      {L"a-folder.tmp", kDir},
  };
  for (const wchar_t* folder : {L"hidden", L"system", L"folder-link", L"a-folder.tmp"})
    disk.folders[L"C:\\T\\" + std::wstring(folder) + L"\\"] = {{L"inside.tmp", kFile}};
  disk.linkedTo[L"C:\\T\\wine-link.tmp"] = L"\\\\?\\C:\\outside\\keep.tmp";
  disk.inUse = {L"C:\\T\\busy.tmp"};
  EXPECT_EQ(Search(disk, {{L"C:\\T", true, {L".tmp"}}}),
            (Paths{L"C:\\T\\kept.tmp", L"C:\\T\\a-folder.tmp\\inside.tmp"}));
}

TEST(CleanerSearch, StopEndsTheThreadsWithWhatWasCheckedSoFar) {
  FakeDisk disk;
  disk.resolved = {{L"C:\\T", L"C:\\T"}};
  for (int i = 0; i < 2000; ++i) disk.folders[L"C:\\T\\"].push_back({std::to_wstring(i) + L".tmp", kFile});
  std::atomic<int> checks{0};
  CleanerFileSystem slow = disk.Access();
  slow.check = [&checks, inner = slow.check](const std::wstring& path, const std::wstring& finalPath,
                                             const std::optional<FileIdentity>& listed) {
    ++checks;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return inner(path, finalPath, listed);
  };
  CleanerSearch search(slow, {{L"C:\\T", true, {L".tmp"}}}, 4);
  while (search.FoundCount() < 10) std::this_thread::yield();
  search.Stop();
  while (!search.Ended()) std::this_thread::yield();
  const std::size_t found = search.Results().size();
  EXPECT_GE(found, 10u);
  EXPECT_LT(checks.load(), 2000);
  EXPECT_EQ(found, search.FoundCount());
}

// The temporary folder's other files once not written for 7 days, after its ".tmp" files, each once.
TEST(CleanerScans, OtherTempFilesAreListedAfterTheTmpFilesOnceSevenDaysOld) {
  constexpr std::uint64_t now = 134'000'000'000'000'000, hour = 36'000'000'000, week = 7 * 24 * hour;
  FakeDisk disk;
  const std::wstring temp = L"C:\\P\\Local Settings\\Temp\\";
  // the profile moved by a link; the disk spells a name otherwise
  disk.resolved = {{L"C:\\P", L"E:\\R"}, {L"C:\\P\\Local Settings\\Temp", L"E:\\R\\local settings\\Temp"}};
  const auto file = [](const wchar_t* name, std::uint64_t written) { return FakeEntry{name, kFile, 0, written}; };
  disk.folders[temp] = {file(L"new.tmp", now), file(L"old.log", now - week), file(L"almost.log", now - week + hour),
                        file(L"future.log", now + hour), file(L"old.tmp", 0), file(L"OLD.TMP", 0), {L"sub", kDir}};
  disk.folders[temp + L"sub\\"] = {{L"setup.exe", kFile, 0, now - 2 * week}};
  EXPECT_EQ(
      Search(disk, CleanerScans({L"C:\\P", L"", L"", L"", L""}, now)),
      (Paths{temp + L"new.tmp", temp + L"old.tmp", temp + L"old.log", temp + L"OLD.TMP", temp + L"sub\\setup.exe"}));
}

// Profiles are told by their layout; only their cache folders are walked, each wholly.
TEST(BrowserCaches, OnlyTheCacheFoldersOfEachProfileAreScannedAndNoLinkIsEntered) {
  FakeDisk disk;
  const std::wstring chrome = L"C:\\L\\Google\\Chrome\\User Data\\", fox = L"C:\\L\\Mozilla\\Firefox\\Profiles\\";
  const std::wstring profile = chrome + L"Profile 1\\", other = fox + L"a.default\\";
  disk.folders[chrome] = {{L"Default", kDir}, {L"Profile 1", kDir}, {L"ShaderCache", kDir}};
  disk.folders[chrome + L"Default\\"] = {{L"Preferences", kFile}, {L"Cookies", kFile}, {L"GPUCache", kDir | 0x400}};
  disk.folders[chrome + L"ShaderCache\\"] = {{L"GPUCache", kDir}};
  disk.folders[profile] = {{L"Preferences", kFile}, {L"History", kFile},   {L"Login Data", kFile},
                           {L"Cache", kDir},        {L"Code Cache", kDir}, {L"cookies", kDir}};
  disk.folders[profile + L"Cache\\"] = {{L"Cache_Data", kDir}, {L"stray", kFile}};
  disk.folders[fox] = {{L"a.default", kDir}};
  disk.folders[other] = {{L"places.sqlite", kFile}, {L"cookies.sqlite", kFile}, {L"cache2", kDir}};
  const std::wstring caches[] = {profile + L"Cache\\Cache_Data\\", profile + L"Code Cache\\", other + L"cache2\\",
                                 chrome + L"Default\\GPUCache\\", chrome + L"ShaderCache\\GPUCache\\"};
  for (const std::wstring& cache : caches) {
    disk.folders[cache] = {{L"f", kFile}};
    disk.resolved[cache] = L"C:\\R\\" + cache.substr(3);
  }
  for (const std::wstring& folder : {std::wstring(L"C:\\L"), chrome, fox})
    disk.resolved[folder] = L"C:\\R\\" + folder.substr(3);
  EXPECT_EQ(Search(disk, CleanerScans({L"", L"", L"", L"C:\\L", L""}, 0)),
            (Paths{caches[0] + L"f", caches[1] + L"f", caches[2] + L"f"}));
}

TEST(CleanerFix, TheQuestionGivesTheCountAndTheTotalSize) {
  const std::pair<std::vector<std::uint64_t>, const wchar_t*> cases[] = {
      {{512}, L"1 file (0.50 kB)"},            {{1023, 1}, L"2 files (1.00 kB)"},
      {{1048575, 1, 0}, L"3 files (1.00 MB)"}, {{1073741823}, L"1 file (1024.00 MB)"},
      {{4294967296, 1073741824}, L"2 files (5.00 GB)"}};
  for (const auto& [sizes, said] : cases) {
    std::vector<CleanableFile> files;
    for (std::uint64_t size : sizes) files.push_back({L"", L"", {7, 1}, size});
    EXPECT_EQ(DeleteQuestion(files, L'.'), L"Delete " + std::wstring(said) + L"? Deleted files cannot be recovered.");
  }
}

// Each case: the outcomes of the files in turn, and the boxes that tell the result.
TEST(CleanerFix, TriesEachFileInOrderAndReportsWhatWasDeletedAndWhyOthersWereLeft) {
  using O = FixOutcome;
  const std::wstring inUse = L"Some of the files could not be fixed because they are in use by the operating system.",
                     changed = L"Some of the files were not fixed because they changed since the search.";
  const std::pair<std::vector<O>, std::vector<std::wstring>> cases[] = {
      {{}, {L"0 files fixed."}},
      {{O::Deleted, O::NotDeleted, O::Deleted}, {L"2 files fixed."}},
      {{O::InUse, O::Deleted}, {L"1 files fixed.", inUse}},
      {{O::Changed, O::NotDeleted}, {L"0 files fixed.", changed}},
      {{O::Changed, O::Deleted, O::InUse}, {L"1 files fixed.", inUse + L"\n" + changed}},
  };
  for (const auto& [givenOutcomes, boxes] : cases) {
    const std::vector<O>& outcomes = givenOutcomes;  // a binding is not captured in C++17
    std::vector<CleanableFile> files;
    for (std::size_t i = 0; i < outcomes.size(); ++i) files.push_back({L"", L"", {7, i}, 0});
    std::vector<std::uint64_t> tried;
    CleanerFix fix(
        files,
        [&](const CleanableFile& file) {
          tried.push_back(file.identity.index);
          return outcomes[file.identity.index];
        },
        RunAsItIs);
    while (!fix.Ended()) std::this_thread::yield();
    EXPECT_EQ(tried.size(), outcomes.size());
    EXPECT_TRUE(std::is_sorted(tried.begin(), tried.end()));
    EXPECT_EQ(FixReport(fix.Progress()), boxes) << outcomes.size();
  }
  EXPECT_EQ(FixingCaption(12, 3456), L"Deleting... 12 of 3456");
}
