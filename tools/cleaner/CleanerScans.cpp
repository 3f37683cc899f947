#include "tools/cleaner/CleanerScans.h"

#include <algorithm>

#include "utilities/AsciiCase.h"
#include "utilities/FileNames.h"

namespace {

// The known root of a scan, from which every folder down to a file deleted must be a plain one: the
// local application data where it holds the folder (the browsers' profiles; the temporary folder, the
// cache and the cookies of today's Windows), else the profile where it does (their places on older
// Windows and Wine, and the profile's old temporary folder), as the system names them. The system's
// own folders are where it says, even moved by a link (a profile on another drive); a link below them
// leads where the cleaner was not sent (a linked "User Data", a linked Temp). A folder below neither
// (a temporary folder set elsewhere, "C:\Temp") is its own root.
std::wstring KnownRootOf(const std::wstring& folder, const CleanerFolders& folders) {
  for (const std::wstring& root : {folders.localAppData, folders.profile})
    if (!root.empty() && LiesBelow(folder, root)) return root;
  return L"";
}

// The system's temporary folder, and the profile's old one where that is another folder: there on
// older Windows; a link into the local application data on today's (so its scan is skipped); none on
// Wine.
std::vector<std::wstring> TemporaryFolders(const CleanerFolders& folders) {
  std::vector<std::wstring> temps;
  if (!folders.temp.empty()) temps.push_back(folders.temp);
  const std::wstring old = WithTrailingBackslash(folders.profile) + L"Local Settings\\Temp";
  if (!folders.profile.empty() && !SameFolderPath(old, folders.temp)) temps.push_back(old);
  return temps;
}

}  // namespace

std::vector<ScanRequest> CleanerScans(const CleanerFolders& folders, std::uint64_t now) {
  std::vector<ScanRequest> scans;
  const std::vector<std::wstring> temporary = {L".tmp"};
  const std::uint64_t oldEnough = now > kOldTempFileAge ? now - kOldTempFileAge : 0;
  for (const std::wstring& temp : TemporaryFolders(folders)) {
    scans.push_back({temp, true, temporary});
    scans.push_back({temp, true, {kAllFiles}, temporary, oldEnough});
  }
  if (!folders.internetCache.empty()) scans.push_back({folders.internetCache, false, {kAllFiles}});
  if (!folders.cookies.empty()) scans.push_back({folders.cookies, false, {L".txt"}});
  if (!folders.localAppData.empty())
    for (const BrowserProfiles& browser : BrowserProfileFolders(folders.localAppData))
      scans.push_back({browser.folder, true, {kAllFiles}, {}, std::nullopt, browser.layout});
  for (ScanRequest& scan : scans) scan.root = KnownRootOf(scan.folder, folders);
  return scans;
}

std::wstring WithTrailingBackslash(const std::wstring& folder) {
  return !folder.empty() && folder.back() == L'\\' ? folder : folder + L'\\';
}

bool SameFolderPath(const std::wstring& a, const std::wstring& b) {
  return AsciiLowerCase(WithTrailingBackslash(a)) == AsciiLowerCase(WithTrailingBackslash(b));
}

bool LiesBelow(const std::wstring& folder, const std::wstring& root) {
  return AsciiLowerCase(WithTrailingBackslash(folder)).rfind(AsciiLowerCase(WithTrailingBackslash(root)), 0) == 0;
}

int FilterMatches(const std::wstring& name, const std::vector<std::wstring>& filter) {
  const std::wstring extension = FileExtension(name);
  return static_cast<int>(std::count_if(filter.begin(), filter.end(), [&](const std::wstring& entry) {
    return entry == extension || entry == kAllFiles;
  }));
}

int ScanMatches(const ScanRequest& scan, const std::wstring& name, std::uint64_t lastWrite) {
  if (scan.writtenNoLaterThan && lastWrite > *scan.writtenNoLaterThan) return 0;
  const std::wstring extension = FileExtension(name);
  if (std::find(scan.excluded.begin(), scan.excluded.end(), extension) != scan.excluded.end()) return 0;
  return FilterMatches(name, scan.filter);
}
