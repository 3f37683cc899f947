#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/cleaner/BrowserCaches.h"

// The search mask of every scan, and the filter entry that lets every file pass.
inline constexpr wchar_t kAllFiles[] = L"*.*";

// One folder the cleaner looks in: the files that pass the filter are listed; with recurse, those of
// its subfolders too.
struct ScanRequest {
  std::wstring folder;
  bool recurse;
  // Extensions with their dot (".tmp"), or "*.*" for every file.
  std::vector<std::wstring> filter;
  // Extensions left out even where the filter takes every file: another scan lists them.
  std::vector<std::wstring> excluded = {};
  // When set, only files last written at or before this time (a file time: 100 ns since 1601, UTC).
  std::optional<std::uint64_t> writtenNoLaterThan = std::nullopt;
  // When set, `folder` holds a browser's profiles: what is scanned is each profile's cache folders,
  // none reached through a link or a hidden folder.
  std::optional<BrowserLayout> profilesOf = std::nullopt;
  // The known root `folder` lies below: every folder from it down must be a plain one, or the scan is
  // skipped. Empty: the folder is its own root.
  std::wstring root = {};
};

// The folders of the current user that the cleaner searches, each as the system gives it; empty when
// it could not.
struct CleanerFolders {
  std::wstring profile, internetCache, cookies, localAppData, temp;
};

// A file not written for this long is a leftover in the temporary folder (the rule of Windows' own
// disk clean-up): 7 days in file-time units.
constexpr std::uint64_t kOldTempFileAge = 7ull * 24 * 60 * 60 * 10'000'000;

// For the system's temporary folder and then the profile's "Local Settings\Temp" where that is another
// folder: its temporary files, then its other files not written for 7 days before `now` (a file time).
// Then the top level of the browser's cache, the cookie text files, and the cache folders of the
// browsers' profiles, in this order. A folder the system could not give (empty) adds no scan:
// completed with a backslash it would name the root of the current drive.
std::vector<ScanRequest> CleanerScans(const CleanerFolders& folders, std::uint64_t now);

std::wstring WithTrailingBackslash(const std::wstring& folder);

// Folder paths compared as the file system compares names, letter case aside (the system's several
// spellings of one folder may differ in it), with or without a trailing backslash.
bool SameFolderPath(const std::wstring& a, const std::wstring& b);
// Whether `folder` is `root` or lies below it, so compared.
bool LiesBelow(const std::wstring& folder, const std::wstring& root);

// How many entries of the filter match a file name: those equal to its extension, letter case
// included, and "*.*". The file is listed once for each.
int FilterMatches(const std::wstring& name, const std::vector<std::wstring>& filter);

// How many times the scan lists a file of this name last written at `lastWrite`: its filter matches,
// none when its extension is excluded or the file is too recent (a time in the future included).
int ScanMatches(const ScanRequest& scan, const std::wstring& name, std::uint64_t lastWrite);
