#pragma once
#include <string>

// The name that the copies of the program started from one folder share, so that a second start
// finds the first. `foldedFolder` is the program's folder with its letters already in one case (the
// system's case folding, done by the caller); "C:\dist", "C:\dist\" and "C:/dist/" give one name,
// as do "\\?\C:\dist" and "C:\dist". The folder is hashed: a mutex name takes no backslash, and a
// long path would not fit.
std::wstring InstanceNameOfFoldedFolder(const std::wstring& foldedFolder);
