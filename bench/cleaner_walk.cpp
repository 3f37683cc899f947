// The floor for the cleaner's search of its temporary-files folder: a depth-first walk on one thread
// with the plain Win32 listing call, opening each ".tmp" file for reading and writing without sharing
// as the cleaner's rule for a file in use asks, and keeping only counts. Hidden and system folders are
// skipped as the cleaner skips them.
//   cleaner_walk FOLDER
// Prints "walk_ms <ms>", "files <count>" and "opened <count>". Exit 0 when the folder could be listed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/bench_clock.h"
#include "bench/walk.h"

namespace {

bool IsTmpFile(const std::wstring& name) { return name.size() >= 4 && name.compare(name.size() - 4, 4, L".tmp") == 0; }

// The walk's visitor: the cleaner's choice of folders and files, and counts.
struct Counts {
  unsigned long files = 0;
  unsigned long opened = 0;
  void Listed() {}
  bool Enter(const WIN32_FIND_DATAW& folder) const {
    return !(folder.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT));
  }
  void File(const std::wstring& folder, const WIN32_FIND_DATAW& entry) {
    if (!IsTmpFile(entry.cFileName)) return;
    ++files;
    const HANDLE file = CreateFileW((folder + entry.cFileName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    ++opened;
    CloseHandle(file);
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: cleaner_walk FOLDER\n");
    return 2;
  }
  std::wstring path = argv[1];
  if (path.empty() || path.back() != L'\\') path += L'\\';
  Counts counts;
  const double start = NowMs();
  const bool listed = WalkTree(path, counts);
  const double elapsed = NowMs() - start;
  if (!listed) {
    std::fprintf(stderr, "cleaner_walk: cannot list %ls (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  std::printf("walk_ms %.3f\nfiles %lu\nopened %lu\n", elapsed, counts.files, counts.opened);
  return 0;
}
