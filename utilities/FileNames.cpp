#include "utilities/FileNames.h"

namespace {

size_t NameStart(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\:");
  return separator == std::wstring::npos ? 0 : separator + 1;
}

size_t ExtensionStart(const std::wstring& path) {
  const size_t dot = path.rfind(L'.');
  return dot == std::wstring::npos || dot < NameStart(path) ? path.size() : dot;
}

}  // namespace

std::wstring FolderPart(const std::wstring& path) { return path.substr(0, NameStart(path)); }

std::wstring FileExtension(const std::wstring& path) { return path.substr(ExtensionStart(path)); }

std::wstring ChangeFileExtension(const std::wstring& path, const std::wstring& extension) {
  return path.substr(0, ExtensionStart(path)) + extension;
}
