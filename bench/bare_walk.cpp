// The floor for a search of a drive: a depth-first walk with the fastest plain Win32 listing calls,
// one listing per folder, keeping nothing but counts. It skips hidden and system folders as the search
// does, so both visit the same files.
//   bare_walk ROOT        (for example T:\)
// Prints "walk_ms <ms>" and "files <count> folders <count>". Exit 0 when the root could be listed.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Counts {
  unsigned long files = 0;
  unsigned long folders = 0;
  unsigned long long bytes = 0;  // summed so that the walk reads what a search reads
};

double NowMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return now.QuadPart * 1000.0 / frequency.QuadPart;
}

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

bool IsSearchedFolder(const WIN32_FIND_DATAW& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && !IsDotEntry(entry.cFileName);
}

// `path` ends with a backslash; it is extended in place for each sub-folder and given back unchanged.
bool Walk(std::wstring& path, Counts& counts) {
  const size_t length = path.size();
  path += L'*';
  WIN32_FIND_DATAW entry;
  HANDLE listing = FindFirstFileExW(path.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                    FIND_FIRST_EX_LARGE_FETCH);
  path.resize(length);
  if (listing == INVALID_HANDLE_VALUE) return false;
  ++counts.folders;
  do {
    if (IsSearchedFolder(entry)) {
      path.append(entry.cFileName).push_back(L'\\');
      Walk(path, counts);
      path.resize(length);
    } else if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      ++counts.files;
      counts.bytes += (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    }
  } while (FindNextFileW(listing, &entry));
  FindClose(listing);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bare_walk ROOT\n");
    return 2;
  }
  std::wstring path = argv[1];
  if (path.empty() || path.back() != L'\\') path += L'\\';
  Counts counts;
  const double start = NowMs();
  const bool listed = Walk(path, counts);
  const double elapsed = NowMs() - start;
  if (!listed) {
    std::fprintf(stderr, "bare_walk: cannot list %ls (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  std::printf("walk_ms %.3f\nfiles %lu folders %lu bytes %llu\n", elapsed, counts.files, counts.folders,
              counts.bytes);
  return 0;
}
