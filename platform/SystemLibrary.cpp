#include "platform/SystemLibrary.h"

FARPROC LoadSystemFunction(const wchar_t* library, const char* name) {
  // Only the system folder is searched, so that no file beside the program can stand in for it. The
  // library stays loaded for the rest of the program.
  const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module ? GetProcAddress(module, name) : nullptr;
}
