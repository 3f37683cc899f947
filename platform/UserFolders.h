#pragma once
#include <string>

// The current location of one of the shell's special folders (a CSIDL value); empty when the shell
// cannot name it.
std::wstring GetSpecialFolderPath(int csidl);

// The current user's temporary folder as the system names it, in its long form (the system may give
// it in 8.3 form) and with its trailing backslash; empty when the system cannot name it.
std::wstring GetTemporaryFolderPath();
