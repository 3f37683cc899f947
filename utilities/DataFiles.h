#pragma once
#include <string>

// A file of the Data folder beside the program: the program folder (which ends with its separator)
// followed by "\Data\" and the name. Every data path is built here, the one way it has always been.
inline std::wstring DataFile(const std::wstring& appDir, const std::wstring& name) {
  return appDir + L"\\Data\\" + name;
}
