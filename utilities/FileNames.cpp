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

bool IsDigits(const std::wstring& text) {
  return !text.empty() && text.find_first_not_of(L"0123456789") == std::wstring::npos;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::wstring PathForFileCalls(const std::wstring& path) {
  constexpr std::size_t kLongestPlainPath = 259;  // MAX_PATH less its terminator
  if (path.size() <= kLongestPlainPath) return path;
  if (path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
  const bool onNetwork = path.rfind(L"\\\\", 0) == 0 && path[2] != L'?' && path[2] != L'.';
  return onNetwork ? L"\\\\?\\UNC\\" + path.substr(2) : path;
}

std::wstring FolderPart(const std::wstring& path) { return path.substr(0, NameStart(path)); }

std::wstring FileExtension(const std::wstring& path) { return path.substr(ExtensionStart(path)); }

std::wstring ChangeFileExtension(const std::wstring& path, const std::wstring& extension) {
  return path.substr(0, ExtensionStart(path)) + extension;
}

std::wstring TemporaryNameBeside(const std::wstring& target, unsigned long process, unsigned count) {
  return target + L"." + std::to_wstring(process) + L"-" + std::to_wstring(count) + L".tmp";
}

std::wstring OldFileBeside(const std::wstring& target) { return target + L".old"; }

std::optional<std::wstring> LeftoverTarget(const std::wstring& path) {
  std::wstring target;
  if (EndsWith(path, L".old")) {
    target = path.substr(0, path.size() - 4);
  } else if (EndsWith(path, L".tmp")) {
    const std::wstring rest = path.substr(0, path.size() - 4);  // <target>.<process>-<count>
    const size_t dot = rest.rfind(L'.');
    if (dot == std::wstring::npos) return std::nullopt;
    const std::wstring writer = rest.substr(dot + 1);
    const size_t dash = writer.find(L'-');
    if (dash == std::wstring::npos || !IsDigits(writer.substr(0, dash)) || !IsDigits(writer.substr(dash + 1)))
      return std::nullopt;
    target = rest.substr(0, dot);
  } else {
    return std::nullopt;
  }
  if (target.size() <= NameStart(target)) return std::nullopt;  // nothing left of the name
  return target;
}
