#include "tools/admin/ProcessNames.h"

#include <algorithm>

#include "utilities/TextEncoding.h"

namespace {

constexpr wchar_t kDirectoryAddress[] = L"https://www.processlibrary.com/directory/files/";

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

std::wstring PercentEncoded(const std::wstring& text) {
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring encoded;
  for (unsigned char c : Utf16ToUtf8(text)) {
    if (IsUnreserved(c)) {
      encoded.push_back(c);
    } else {
      encoded.push_back(L'%');
      encoded.push_back(kHex[c >> 4]);
      encoded.push_back(kHex[c & 15]);
    }
  }
  return encoded;
}

}  // namespace

bool IsListedProcessName(const std::wstring& name) { return name != L"[System Process]" && name != L"System"; }

bool ContainsName(const std::vector<std::wstring>& names, const std::wstring& name, const NameMatcher& matches) {
  return std::any_of(names.begin(), names.end(), [&](const std::wstring& entry) { return matches(entry, name); });
}

void AddName(std::vector<std::wstring>& names, const std::wstring& name, const NameMatcher& matches) {
  if (!ContainsName(names, name, matches)) names.push_back(name);
}

void RemoveName(std::vector<std::wstring>& names, const std::wstring& name, const NameMatcher& matches) {
  const auto first =
      std::find_if(names.begin(), names.end(), [&](const std::wstring& entry) { return matches(entry, name); });
  if (first != names.end()) names.erase(first);
}

std::wstring WithoutExtension(const std::wstring& fileName) {
  const auto dot = fileName.find_last_of(L'.');
  const auto separator = fileName.find_last_of(L"\\:");
  if (dot == std::wstring::npos || (separator != std::wstring::npos && dot < separator)) return fileName;
  return fileName.substr(0, dot);
}

std::wstring ProcessInfoAddress(const std::wstring& fileName) {
  return kDirectoryAddress + PercentEncoded(WithoutExtension(fileName)) + L"/";
}
