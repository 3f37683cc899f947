#include "tools/cleaner/CleanerScans.h"

#include <algorithm>

#include "utilities/FileNames.h"

namespace {

std::wstring ProfileFolder(const std::wstring& userName, const std::wstring& below) {
  return L"C:\\Documents and Settings\\" + userName + L"\\Local Settings\\" + below;
}

std::vector<std::wstring> SplitAtBackslashes(const std::wstring& text) {
  std::vector<std::wstring> parts;
  std::wstring::size_type start = 0;
  for (auto end = text.find(L'\\'); end != std::wstring::npos; start = end + 1, end = text.find(L'\\', start))
    parts.push_back(text.substr(start, end - start));
  parts.push_back(text.substr(start));
  return parts;
}

bool IsNameStep(const std::wstring& part) { return !part.empty() && part != L"." && part != L".."; }

// The folders from the base down to the file's own, when the rest of the path is a file (or, without
// recurse, a file directly in the base).
std::optional<std::vector<std::wstring>> FoldersBetween(const std::wstring& base, const std::wstring& rest,
                                                        bool recurse) {
  const std::vector<std::wstring> parts = SplitAtBackslashes(rest);
  if (!std::all_of(parts.begin(), parts.end(), IsNameStep) || (!recurse && parts.size() > 1)) return std::nullopt;
  std::vector<std::wstring> folders;
  std::wstring folder = base;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    folder += parts[i];
    folders.push_back(folder);
    folder += L'\\';
  }
  return folders;
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

std::optional<std::vector<std::wstring>> FoldersBelowScan(const std::wstring& path,
                                                          const std::vector<ScanRequest>& scans) {
  for (const ScanRequest& scan : scans) {
    const std::wstring base = WithTrailingBackslash(scan.folder);
    if (path.size() <= base.size() || path.compare(0, base.size(), base) != 0) continue;
    if (auto folders = FoldersBetween(base, path.substr(base.size()), scan.recurse)) return folders;
  }
  return std::nullopt;
}
