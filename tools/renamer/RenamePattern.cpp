#include "tools/renamer/RenamePattern.h"

#include <algorithm>
#include <array>

#include "utilities/FileNames.h"

namespace {

// The numbers whose names are checked for devices: a device name holds at most one digit, so only
// the files 1 to 9 can get one, and every run has a file 1.
constexpr int kLastSingleDigit = 9;

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/:") + 1); }

std::wstring UpperAscii(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return text;
}

// The name part Windows compares with its device names: up to the first dot, without trailing
// spaces, so that "nul.txt" and "NUL .tar.gz" name the same device as "NUL".
std::wstring DeviceStem(const std::wstring& name) {
  std::wstring stem = name.substr(0, name.find(L'.'));
  stem.erase(stem.find_last_not_of(L' ') + 1);
  return UpperAscii(stem);
}

bool IsPortDigit(wchar_t c) { return (c >= L'1' && c <= L'9') || c == L'\u00B9' || c == L'\u00B2' || c == L'\u00B3'; }

bool IsDeviceName(const std::wstring& name) {
  const std::wstring stem = DeviceStem(name);
  constexpr std::array<const wchar_t*, 4> kDevices{L"CON", L"PRN", L"AUX", L"NUL"};
  if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) return true;
  const std::wstring port = stem.substr(0, 3);
  return stem.size() == 4 && (port == L"COM" || port == L"LPT") && IsPortDigit(stem[3]);
}

// Windows drops the trailing dots and spaces of a name, and such an extension with them.
bool IsOnlyDotsAndSpaces(const std::wstring& extension) {
  return extension.find_first_not_of(L". ") == std::wstring::npos;
}

// The first name the run would give to a device instead of a file; nothing when there is none.
std::optional<std::wstring> FirstDeviceName(const std::wstring& pattern) {
  for (int number = 1; number <= kLastSingleDigit; ++number) {
    const std::wstring name = NameOf(NumberedPath(pattern, number));
    if (IsDeviceName(name)) return name;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::wstring> PatternProblem(const std::wstring& pattern,
                                           const std::function<bool(const std::wstring&)>& folderExists) {
  const auto asterisks = std::count(pattern.begin(), pattern.end(), L'*');
  const std::wstring folder = FolderPart(pattern), extension = FileExtension(pattern);
  if (extension.empty()) return L"Please enter an extension for the file(s) (for example \".jpg\")";
  if (IsOnlyDotsAndSpaces(extension))
    return L"Windows drops an extension made only of dots and spaces: "
           L"please enter another one (for example \".jpg\")";
  if (folder.empty()) return L"You did not give a folder in the filename!";
  if (!folderExists(folder)) return L"The Directory \"" + folder + L"\" does not exist!";
  if (asterisks > 1) return L"Use only one asterisk (*)!";
  if (asterisks == 0) return L"Use asterisk (*) to indicate index-number!";
  if (const auto device = FirstDeviceName(pattern))
    return L"\"" + *device + L"\" is the name of a device in Windows, not of a file: please choose another name!";
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
