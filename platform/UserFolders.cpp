#include "platform/UserFolders.h"

#include <windows.h>
#include <shlobj.h>

std::wstring GetSpecialFolderPath(int csidl) {
  wchar_t path[MAX_PATH] = L"";
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
  return path;
}
