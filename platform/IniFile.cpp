#include "platform/IniFile.h"

#include <windows.h>

std::wstring IniFileReader::ReadString(const std::wstring& section, const std::wstring& key) const {
  wchar_t value[2048] = {};
  const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", value, 2048, path_.c_str());
  return std::wstring(value, length);
}
