#include "platform/SingleInstance.h"

#include <optional>

#include "platform/FileAccess.h"
#include "utilities/InstanceName.h"

namespace {

// Upper case by the invariant locale, as file names are compared: no user language changes it.
std::wstring FoldCase(const std::wstring& text) {
  if (text.empty()) return text;
  const int length = static_cast<int>(text.size());
  std::wstring folded(text.size(), L'\0');
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.c_str(), length, folded.data(), length, nullptr,
                    nullptr, 0) != length)
    return text;
  return folded;
}

struct WindowSearch {
  const wchar_t* windowClass;
  const std::wstring& name;
  HWND found;
};

BOOL CALLBACK MatchInstanceWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (wcscmp(className, search->windowClass) == 0 && GetPropW(window, search->name.c_str())) search->found = window;
  return !search->found;
}

}  // namespace

std::wstring InstanceName(const std::wstring& programFolder) {
  // The path the system resolves for the opened folder is the same whatever spelling led there: short
  // names, "." and "..", doubled separators, a linked folder, a second drive letter. The volume serial
  // and file index would do on NTFS, but an index is not unique on every file system (ReFS, some
  // network shares). A folder that cannot be opened is named by its path as given.
  const std::optional<FolderLocation> location = LocateFolder(programFolder);
  return InstanceNameOfFoldedFolder(FoldCase(location ? location->path : programFolder));
}

InstanceLock::InstanceLock(const std::wstring& name) {
  SetLastError(ERROR_SUCCESS);
  mutex_.Reset(CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str()));
  const DWORD error = GetLastError();
  first_ = error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED;
}

void MarkInstanceWindow(HWND window, const std::wstring& name) { SetPropW(window, name.c_str(), window); }

void UnmarkInstanceWindow(HWND window, const std::wstring& name) { RemovePropW(window, name.c_str()); }

HWND WaitForInstanceWindow(const wchar_t* windowClass, const std::wstring& name, DWORD milliseconds) {
  constexpr DWORD kPause = 100;
  const DWORD start = GetTickCount();
  for (;;) {
    WindowSearch search{windowClass, name, nullptr};
    EnumWindows(MatchInstanceWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found || GetTickCount() - start >= milliseconds) return search.found;
    Sleep(kPause);
  }
}

void PostToInstanceWindow(HWND window, UINT message) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  AllowSetForegroundWindow(processId);
  PostMessageW(window, message, 0, 0);
}
