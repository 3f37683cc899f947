#include "platform/UserFolders.h"

#include <windows.h>
#include <shlobj.h>

std::wstring GetSpecialFolderPath(int csidl) {
  wchar_t path[MAX_PATH] = L"";
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
  return path;
}

std::wstring GetTemporaryFolderPath() {
  wchar_t path[MAX_PATH + 1] = L"";
  if (GetTempPathW(MAX_PATH + 1, path) == 0) return L"";
  wchar_t longPath[MAX_PATH] = L"";
  const DWORD length = GetLongPathNameW(path, longPath, MAX_PATH);
  return length > 0 && length < MAX_PATH ? longPath : path;
}
