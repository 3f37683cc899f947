#include "platform/System.h"

std::wstring ExecutablePath() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
  return std::wstring(path, length);
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
