#pragma once
#include <string>

// A file of the Data folder beside the program: the program folder, one separator, "Data\" and the
// name. The folder may come with its trailing separator or without; either gives one separator.
inline std::wstring DataFile(const std::wstring& appDir, const std::wstring& name) {
  const bool endsWithSeparator = !appDir.empty() && (appDir.back() == L'\\' || appDir.back() == L'/');
  return appDir + (endsWithSeparator ? L"Data\\" : L"\\Data\\") + name;
}
