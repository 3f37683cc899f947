#include "platform/System.h"

std::wstring PathGrownToFit(const std::function<DWORD(wchar_t* buffer, DWORD size)>& query) {
  std::wstring path(MAX_PATH + 1, L'\0');
  for (;;) {
    const DWORD length = query(path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

// A folder may be far deeper than MAX_PATH, and a path cut short would name another folder.
std::wstring ExecutablePath() {
  return PathGrownToFit([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
}

std::wstring ExecutableFolder() {
  const std::wstring full = ExecutablePath();
  const auto separator = full.find_last_of(L"\\/:");
  return separator == std::wstring::npos ? std::wstring() : full.substr(0, separator + 1);
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::uint32_t HighResolutionSeed() {
  LARGE_INTEGER counter;
  if (QueryPerformanceCounter(&counter)) return static_cast<std::uint32_t>(counter.LowPart);
  return GetTickCount();
}

wchar_t UserDecimalSeparator() {
  wchar_t separator[4] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) > 1) return separator[0];
  return L'.';
}

std::wstring SystemErrorText(DWORD code) {
  wchar_t text[512] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 512, nullptr);
  std::wstring reason(text, length);
  reason.erase(reason.find_last_not_of(L" \t\r\n") + 1);
  return reason.empty() ? L"System error " + std::to_wstring(code) : reason;
}
