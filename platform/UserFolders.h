#pragma once
#include <string>

// The current location of one of the shell's special folders (a CSIDL value); empty when the shell
// cannot name it.
std::wstring GetSpecialFolderPath(int csidl);
