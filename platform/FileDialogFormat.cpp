#include "platform/FileDialogFormat.h"

std::wstring DialogFilterList(const std::wstring& barSeparatedFilter) {
  if (barSeparatedFilter.empty()) return std::wstring();
  std::wstring list = barSeparatedFilter;
  for (auto& c : list)
    if (c == L'|') c = L'\0';
  list.append(2, L'\0');
  return list;
}

std::wstring DialogDefaultExtension(const std::wstring& extension) {
  return !extension.empty() && extension[0] == L'.' ? extension.substr(1) : extension;
}

namespace {

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) return folder + name;
  return folder + L"\\" + name;
}

}  // namespace

std::vector<std::wstring> ChosenFiles(const std::wstring& resultBuffer) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start < resultBuffer.size() && resultBuffer[start] != L'\0') {
    size_t end = resultBuffer.find(L'\0', start);
    if (end == std::wstring::npos) end = resultBuffer.size();
    parts.push_back(resultBuffer.substr(start, end - start));
    start = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::vector<std::wstring> files;
  for (size_t i = 1; i < parts.size(); ++i) files.push_back(JoinPath(parts[0], parts[i]));
  return files;
}
