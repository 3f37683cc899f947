#include "platform/DroppedFiles.h"

#include <algorithm>

#include "platform/Handles.h"
#include "utilities/FileNames.h"
#include "utilities/NameOrder.h"

std::vector<std::wstring> DroppedPaths(HDROP drop) {
  constexpr UINT kCountOfPaths = 0xFFFFFFFF;
  const UINT count = DragQueryFileW(drop, kCountOfPaths, nullptr, 0);
  std::vector<std::wstring> paths;
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');  // its length, without the terminator
    DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
    paths.push_back(std::move(path));
  }
  return paths;
}

namespace {

// A file of the folder's own, not a link to elsewhere (a symbolic link or a junction): a file of another
// kind of reparse point (one a cloud service has yet to download) is the user's file all the same.
bool IsFileOfItsOwn(const WIN32_FIND_DATAW& entry) {
  if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  const bool isLink = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                      (entry.dwReserved0 == IO_REPARSE_TAG_SYMLINK || entry.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
  return !isLink;
}

}  // namespace

std::vector<std::wstring> FilesInFolder(const std::wstring& folder, const FileNameFilter& wanted) {
  const std::wstring prefix = folder.back() == L'\\' ? folder : folder + L'\\';
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW found;
  const ScopedFindHandle search(FindFirstFileW(PathForFileCalls(prefix + L'*').c_str(), &found));
  for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.Get(), &found))
    if (IsFileOfItsOwn(found) && (!wanted || wanted(found.cFileName))) files.push_back(prefix + found.cFileName);
  std::sort(files.begin(), files.end(), FileNameOrderLess);
  return files;
}

std::vector<std::wstring> FilesOfDrop(const std::vector<std::wstring>& paths, const FileNameFilter& wantedInFolders) {
  std::vector<std::wstring> files;
  for (const std::wstring& path : paths) {
    const DWORD attributes = GetFileAttributesW(PathForFileCalls(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      const std::vector<std::wstring> inside = FilesInFolder(path, wantedInFolders);
      files.insert(files.end(), inside.begin(), inside.end());
    } else {
      files.push_back(path);
    }
  }
  return files;
}
