#include "platform/SystemLibrary.h"

#include <string>

FARPROC LoadSystemFunction(const wchar_t* library, const char* name) {
  // By its full path in the system folder, so that no file beside the program can stand in for it (the
  // search flag for this needs an update on Windows 7). The library stays loaded for the program's life.
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const HMODULE module = LoadLibraryW((std::wstring(folder, length) + L'\\' + library).c_str());
  return module ? GetProcAddress(module, name) : nullptr;
}
