#include "tools/cleaner/CleanerScans.h"

#include <algorithm>

#include "utilities/FileNames.h"

namespace {

std::wstring ProfileFolder(const std::wstring& userName, const std::wstring& below) {
  return L"C:\\Documents and Settings\\" + userName + L"\\Local Settings\\" + below;
}

}  // namespace

std::vector<ScanRequest> CleanerScans(const std::wstring& userName, const std::wstring& cookieFolder) {
  std::vector<ScanRequest> scans = {
      {ProfileFolder(userName, L"Temp"), true, {L".tmp"}},
      {ProfileFolder(userName, L"Temporary Internet Files"), false, {kAllFiles}},
  };
  if (!cookieFolder.empty()) scans.push_back({cookieFolder, false, {L".txt"}});
  return scans;
}

std::wstring WithTrailingBackslash(const std::wstring& folder) {
  return !folder.empty() && folder.back() == L'\\' ? folder : folder + L'\\';
}

int FilterMatches(const std::wstring& name, const std::vector<std::wstring>& filter) {
  const std::wstring extension = FileExtension(name);
  return static_cast<int>(std::count_if(filter.begin(), filter.end(), [&](const std::wstring& entry) {
    return entry == extension || entry == kAllFiles;
  }));
}
