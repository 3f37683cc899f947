// The floor for the cleaner's "Fix selected": one thread deleting every ".tmp" file below FOLDER with
// the fix's own checks per file (platform/FileAccess): opened without sharing and without following a
// link at its name, its identity and final path compared with what the search found, deleted through
// the handle. What the search finds (path, identity, final path) is gathered first, untimed; hidden
// and system folders are skipped as the cleaner skips them.
//   cleaner_fix_floor FOLDER
// Prints "floor_ms <ms>", "files <count>" and "deleted <count>". Exit 0 when the folder could be listed.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/walk.h"
#include "platform/FileAccess.h"
#include "utilities/FileNames.h"

namespace {

struct Found {
  std::wstring path;
  FileIdentity identity;
  std::wstring finalPath;
};

bool IsTmpFile(const std::wstring& name) { return name.size() >= 4 && name.compare(name.size() - 4, 4, L".tmp") == 0; }

// The walk's visitor: each ".tmp" file as the search leaves it for the fix.
struct Finder {
  std::vector<Found> found;
  void Listed() {}
  bool Enter(const WIN32_FIND_DATAW& folder) const {
    return !(folder.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT));
  }
  void File(const std::wstring& folder, const WIN32_FIND_DATAW& entry) {
    if (!IsTmpFile(entry.cFileName)) return;
    const std::wstring path = folder + entry.cFileName;
    const ExclusiveFile file(PathForFileCalls(path), ExclusiveFile::Purpose::Check);
    if (const std::optional<FileIdentity> identity = file.PlainFileIdentity())
      found.push_back({path, *identity, file.FinalPath()});
  }
};

// The fix's work for one file, less its hand-over to a thread and its progress.
bool DeleteChecked(const Found& file) {
  ExclusiveFile opened(PathForFileCalls(file.path), ExclusiveFile::Purpose::Delete);
  return opened.IsOpen() && opened.PlainFileIdentity() == file.identity && opened.FinalPath() == file.finalPath &&
         opened.Delete();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: cleaner_fix_floor FOLDER\n");
    return 2;
  }
  std::wstring path = argv[1];
  if (path.empty() || path.back() != L'\\') path += L'\\';
  Finder finder;
  if (!WalkTree(path, finder)) {
    std::fprintf(stderr, "cleaner_fix_floor: cannot list %ls (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  unsigned long deleted = 0;
  const double start = NowMs();
  for (const Found& file : finder.found) deleted += DeleteChecked(file) ? 1 : 0;
  const double elapsed = NowMs() - start;
  std::printf("floor_ms %.3f\nfiles %lu\ndeleted %lu\n", elapsed, static_cast<unsigned long>(finder.found.size()),
              deleted);
  return 0;
}
