#pragma once
// The bare walks' listing: the fastest plain Win32 listing call, one listing per folder.
#include <windows.h>

#include <string>

// "." and "..", which a walk never enters.
inline bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

inline unsigned long long FileSize(const WIN32_FIND_DATAW& entry) {
  return (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

inline bool IsFolder(const WIN32_FIND_DATAW& entry) { return entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY; }

// Gives each entry of the folder `path` (ending with a backslash) but "." and ".." to `visit`, in
// listing order; false when the folder cannot be listed.
template <typename Visit>
bool ListFolder(const std::wstring& path, Visit&& visit) {
  WIN32_FIND_DATAW entry;
  HANDLE listing = FindFirstFileExW((path + L'*').c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                    FIND_FIRST_EX_LARGE_FETCH);
  if (listing == INVALID_HANDLE_VALUE) return false;
  do {
    if (!IsDotEntry(entry.cFileName)) visit(entry);
  } while (FindNextFileW(listing, &entry));
  FindClose(listing);
  return true;
}

// Depth-first from `path` (ending with a backslash; extended in place for each sub-folder and given
// back unchanged). The visitor is told `Listed()` for each folder listed, is asked `Enter(entry)` for
// each sub-folder, and is given `File(folder, entry)` for each file.
template <typename Visitor>
bool WalkTree(std::wstring& path, Visitor& visitor) {
  const size_t length = path.size();
  const bool listed = ListFolder(path, [&](const WIN32_FIND_DATAW& entry) {
    if (!IsFolder(entry)) {
      visitor.File(path, entry);
    } else if (visitor.Enter(entry)) {
      path.append(entry.cFileName).push_back(L'\\');
      WalkTree(path, visitor);
      path.resize(length);
    }
  });
  if (listed) visitor.Listed();
  return listed;
}
