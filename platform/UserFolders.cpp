#include "platform/UserFolders.h"

#include <windows.h>
#include <shlobj.h>
#include <winnetwk.h>

#include "platform/SystemLibrary.h"

std::wstring GetLoggedOnUserName() {
  wchar_t name[MAX_PATH + 1] = L"";
  DWORD length = MAX_PATH;
  static const auto getUser = SystemFunction<decltype(&WNetGetUserW)>(L"mpr.dll", "WNetGetUserW");
  if (!getUser || getUser(nullptr, name, &length) != NO_ERROR) return L"";
  return name;
}

std::wstring GetSpecialFolderPath(int csidl) {
  wchar_t path[MAX_PATH] = L"";
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
  return path;
}
