#include "tools/cleaner/CleanerScans.h"

#include <algorithm>

#include "utilities/FileNames.h"

std::vector<ScanRequest> CleanerScans(const std::wstring& profileFolder, const std::wstring& cacheFolder,
                                      const std::wstring& cookieFolder) {
  std::vector<ScanRequest> scans;
  if (!profileFolder.empty())
    scans.push_back({WithTrailingBackslash(profileFolder) + L"Local Settings\\Temp", true, {L".tmp"}});
  if (!cacheFolder.empty()) scans.push_back({cacheFolder, false, {kAllFiles}});
  if (!cookieFolder.empty()) scans.push_back({cookieFolder, false, {L".txt"}});
  return scans;
}

std::wstring WithTrailingBackslash(const std::wstring& folder) {
  return !folder.empty() && folder.back() == L'\\' ? folder : folder + L'\\';
}

std::wstring PathForFileCalls(const std::wstring& path) {
  constexpr std::size_t kLongestPlainPath = 259;  // MAX_PATH less its terminator
  if (path.size() <= kLongestPlainPath) return path;
  if (path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
  const bool onNetwork = path.rfind(L"\\\\", 0) == 0 && path[2] != L'?' && path[2] != L'.';
  return onNetwork ? L"\\\\?\\UNC\\" + path.substr(2) : path;
}

int FilterMatches(const std::wstring& name, const std::vector<std::wstring>& filter) {
  const std::wstring extension = FileExtension(name);
  return static_cast<int>(std::count_if(filter.begin(), filter.end(), [&](const std::wstring& entry) {
    return entry == extension || entry == kAllFiles;
  }));
}
