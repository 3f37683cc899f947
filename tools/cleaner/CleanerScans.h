#pragma once
#include <string>
#include <vector>

// The search mask of every scan, and the filter entry that lets every file pass.
inline constexpr wchar_t kAllFiles[] = L"*.*";

// One folder the cleaner looks in: the files that pass the filter are listed; with recurse, those of
// its subfolders too.
struct ScanRequest {
  std::wstring folder;
  bool recurse;
  // Extensions with their dot (".tmp"), or "*.*" for every file.
  std::vector<std::wstring> filter;
};

// Temporary files below the user's profile folder, the top level of the browser's cache and the cookie
// text files, in this order, each from the folder the system gives for the current user. A folder the
// system could not give (empty) adds no scan: completed with a backslash it would name the root of the
// current drive.
std::vector<ScanRequest> CleanerScans(const std::wstring& profileFolder, const std::wstring& cacheFolder,
                                      const std::wstring& cookieFolder);

std::wstring WithTrailingBackslash(const std::wstring& folder);

// The path as the system's file calls take it whatever its length: one of 260 characters or more,
// beyond what the plain calls accept, in its "\\?\" form ("\\?\UNC\" for a network path); a
// shorter one, or one that cannot take that form, as it is.
std::wstring PathForFileCalls(const std::wstring& path);

// How many entries of the filter match a file name: those equal to its extension, letter case
// included, and "*.*". The file is listed once for each.
int FilterMatches(const std::wstring& name, const std::vector<std::wstring>& filter);
