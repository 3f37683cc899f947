#pragma once
#include <windows.h>

// Functions of system libraries that are loaded on first use rather than with the program: a library
// only one tool needs now and then (the URL library, the network one) would otherwise cost every start
// its loading, with the libraries it loads in turn.

// The function, from the library in the system folder; null when either is missing.
FARPROC LoadSystemFunction(const wchar_t* library, const char* name);

template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
  // Through the plain function-pointer type, which converts to any other without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(LoadSystemFunction(library, name)));
}
