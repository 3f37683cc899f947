#include "utilities/FileExtension.h"

std::wstring FileExtension(const std::wstring& path) {
  const auto dot = path.find_last_of(L'.');
  const auto separator = path.find_last_of(L"\\:");
  if (dot == std::wstring::npos || (separator != std::wstring::npos && dot < separator)) return L"";
  return path.substr(dot);
}
