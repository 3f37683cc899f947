// The floor for a search of a drive: a depth-first walk with the fastest plain Win32 listing calls,
// one listing per folder, keeping nothing but counts. It skips hidden and system folders as the search
// does, so both visit the same files.
//   bare_walk ROOT [THREADS]   (for example T:\; 1 or 2 threads, 1 when not given)
// Prints "walk_ms <ms>" and "files <count> folders <count>". With two threads, the root's sub-folders
// are shared out one at a time to the threads as they become free.
//   bare_walk ROOT --results COUNT
// Untimed: the same walk in the order the search offers files (a folder's files, then its sub-folders),
// keeping the COUNT largest with the program's own table; prints each result line as "result <line>"
// (UTF-8, decimal point), the lines the search must list.
// Exit 0 when the root could be listed.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/walk.h"

#include "utilities/LargestFiles.h"

namespace {

// The search leaves out hidden and system folders.
bool IsSearched(const WIN32_FIND_DATAW& folder) {
  return !(folder.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

// The walk's visitor: it keeps counts.
struct Counts {
  unsigned long files = 0;
  unsigned long folders = 0;
  unsigned long long bytes = 0;  // summed so that the walk reads what a search reads
  void Add(const Counts& other) {
    files += other.files;
    folders += other.folders;
    bytes += other.bytes;
  }
  void Listed() { ++folders; }
  bool Enter(const WIN32_FIND_DATAW& folder) const { return IsSearched(folder); }
  void File(const std::wstring&, const WIN32_FIND_DATAW& entry) {
    ++files;
    bytes += FileSize(entry);
  }
};

// Lists `dir`: each file to `onFile`, the sub-folders the search enters to `subfolders`, in listing order.
template <typename OnFile>
bool ListOneLevel(const std::wstring& dir, OnFile&& onFile, std::vector<std::wstring>& subfolders) {
  return ListFolder(dir, [&](const WIN32_FIND_DATAW& entry) {
    if (!IsFolder(entry))
      onFile(entry);
    else if (IsSearched(entry))
      subfolders.push_back(dir + entry.cFileName + L'\\');
  });
}

// The root's files counted here, its sub-folders walked by `threads` threads, each taking the next
// one not yet taken.
bool WalkInThreads(const std::wstring& root, int threads, Counts& counts) {
  std::vector<std::wstring> subfolders;
  if (!ListOneLevel(
          root, [&](const WIN32_FIND_DATAW& file) { counts.File(root, file); }, subfolders))
    return false;
  counts.Listed();
  std::atomic<size_t> next{0};
  std::vector<Counts> perThread(threads);
  std::vector<std::thread> walkers;
  for (int t = 0; t < threads; ++t) {
    walkers.emplace_back([&, t] {
      for (size_t i = next++; i < subfolders.size(); i = next++) {
        std::wstring path = subfolders[i];
        WalkTree(path, perThread[t]);
      }
    });
  }
  for (std::thread& walker : walkers) walker.join();
  for (const Counts& part : perThread) counts.Add(part);
  return true;
}

// The search's offering order: a folder's files in listing order, then its sub-folders in listing order.
bool OfferInSearchOrder(const std::wstring& dir) {
  std::vector<std::wstring> subfolders;
  const auto offer = [&](const WIN32_FIND_DATAW& file) {
    AddLargestFile(dir + file.cFileName, static_cast<std::int64_t>(FileSize(file)));
  };
  if (!ListOneLevel(dir, offer, subfolders)) return false;
  for (const std::wstring& subfolder : subfolders) OfferInSearchOrder(subfolder);
  return true;
}

int PrintResults(const std::wstring& root, int count) {
  ResetLargestFiles();
  LargestFilesCount = static_cast<std::int8_t>(count);
  if (!OfferInSearchOrder(root)) return 1;
  SortLargestFiles();
  for (int i = 1; i <= count; ++i) {
    const std::wstring line = SortedLargestFile(i).path + L"\t " + FormatFileSize(i, L'.');
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, &bytes[0], size, nullptr, nullptr);
    std::printf("result %s\n", bytes.c_str());
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool results = argc == 4 && std::wstring(argv[2]) == L"--results";
  const int threads = argc == 3 ? std::wcstol(argv[2], nullptr, 10) : 1;
  if (argc < 2 || argc > 4 || (argc == 4 && !results) || threads < 1 || threads > 2) {
    std::fprintf(stderr, "usage: bare_walk ROOT [THREADS] | bare_walk ROOT --results COUNT\n");
    return 2;
  }
  std::wstring path = argv[1];
  if (path.empty() || path.back() != L'\\') path += L'\\';
  if (results) return PrintResults(path, std::wcstol(argv[3], nullptr, 10));
  Counts counts;
  const double start = NowMs();
  const bool listed = threads == 1 ? WalkTree(path, counts) : WalkInThreads(path, threads, counts);
  const double elapsed = NowMs() - start;
  if (!listed) {
    std::fprintf(stderr, "bare_walk: cannot list %ls (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  std::printf("walk_ms %.3f\nfiles %lu folders %lu bytes %llu\n", elapsed, counts.files, counts.folders, counts.bytes);
  return 0;
}
