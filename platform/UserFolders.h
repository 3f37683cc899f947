#pragma once
#include <string>

// The name of the user logged on to this session; empty when the query fails.
std::wstring GetLoggedOnUserName();

// The current location of one of the shell's special folders (a CSIDL value); empty when the shell
// cannot name it.
std::wstring GetSpecialFolderPath(int csidl);
