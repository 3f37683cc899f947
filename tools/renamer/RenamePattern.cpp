#include "tools/renamer/RenamePattern.h"

#include <algorithm>

#include "utilities/FileNames.h"

std::optional<std::wstring> PatternProblem(const std::wstring& pattern,
                                           const std::function<bool(const std::wstring&)>& folderExists) {
  const auto asterisks = std::count(pattern.begin(), pattern.end(), L'*');
  const std::wstring folder = FolderPart(pattern);
  if (FileExtension(pattern).empty()) return L"Please enter an extension for the file(s) (for example \".jpg\")";
  if (folder.empty()) return L"You did not give a folder in the filename!";
  if (!folderExists(folder)) return L"The Directory \"" + folder + L"\" does not exist!";
  if (asterisks > 1) return L"Use only one asterisk (*)!";
  if (asterisks == 0) return L"Use asterisk (*) to indicate index-number!";
  return std::nullopt;
}

std::wstring NumberedPath(const std::wstring& pattern, int number) {
  std::wstring path = pattern;
  return path.replace(path.find(L'*'), 1, std::to_wstring(number));
}

std::wstring PartlyRenamedText(int renamed, int total) {
  return std::to_wstring(renamed) + L" of " + std::to_wstring(total) +
         L" files renamed. The files left in the list were not renamed.";
}
