#include "tools/renamer/RenamePattern.h"

#include <algorithm>
#include <array>
#include <map>

#include "utilities/AsciiCase.h"
#include "utilities/FileNames.h"

namespace {

// A shorter run is checked as one of this many files: every single-digit number it could grow to.
constexpr int kLeastCheckedRun = 9;

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/:") + 1); }

// The name part Windows compares with its device names: up to the first dot, without trailing
// spaces, so that "nul.txt" and "NUL .tar.gz" name the same device as "NUL".
std::wstring DeviceStem(const std::wstring& name) {
  std::wstring stem = name.substr(0, name.find(L'.'));
  stem.erase(stem.find_last_not_of(L' ') + 1);
  return AsciiLowerCase(stem);
}

bool IsPortDigit(wchar_t c) { return (c >= L'1' && c <= L'9') || c == L'\u00B9' || c == L'\u00B2' || c == L'\u00B3'; }

bool IsDeviceName(const std::wstring& name) {
  const std::wstring stem = DeviceStem(name);
  constexpr std::array<const wchar_t*, 4> kDevices{L"con", L"prn", L"aux", L"nul"};
  if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) return true;
  const std::wstring port = stem.substr(0, 3);
  return stem.size() == 4 && (port == L"com" || port == L"lpt") && IsPortDigit(stem[3]);
}

// Windows drops the trailing dots and spaces of a name, and such an extension with them.
bool IsOnlyDotsAndSpaces(const std::wstring& extension) {
  return extension.find_first_not_of(L". ") == std::wstring::npos;
}

// The first name the run would give to a device instead of a file; nothing when there is none. A
// device name holds at most one digit: a number of more lies either in the part after the first dot,
// where any number gives what the run's first one gives, or makes the name no device. Numbers only
// get longer along the run, so the search ends at the first long one.
std::optional<std::wstring> FirstDeviceName(const std::wstring& pattern, NumberStyle style, int count) {
  const int checked = std::max(count, kLeastCheckedRun);
  for (int index = 0; index < checked; ++index) {
    const std::wstring number = RunNumber(index, count, style);
    if (index > 0 && number.size() > 1) break;
    const std::wstring name = NameOf(NumberedPath(pattern, number));
    if (IsDeviceName(name)) return name;
  }
  return std::nullopt;
}

std::wstring Padded(std::wstring digits, size_t width) {
  return digits.size() < width ? std::wstring(width - digits.size(), L'0') + digits : digits;
}

// What the run has made of the paths it touched so far, keyed in lower case: true for a path it
// gave a file, false for one it moved a file away from.
class RunState {
 public:
  explicit RunState(const std::function<bool(const std::wstring&)>& exists) : exists_(exists) {}

  bool IsTaken(const std::wstring& path) const {
    const auto changed = occupied_.find(AsciiLowerCase(path));
    return changed != occupied_.end() ? changed->second : exists_(path);
  }
  bool WasMovedAway(const std::wstring& path) const {
    const auto changed = occupied_.find(AsciiLowerCase(path));
    return changed != occupied_.end() && !changed->second;
  }
  void Take(const std::wstring& path) { occupied_[AsciiLowerCase(path)] = true; }
  void Free(const std::wstring& path) { occupied_[AsciiLowerCase(path)] = false; }

 private:
  const std::function<bool(const std::wstring&)>& exists_;
  std::map<std::wstring, bool> occupied_;
};

// One entry's turn: it moves (or copies) onto a free path and never replaces a file.
PreviewMark PlayEntry(const std::wstring& source, const std::wstring& target, bool keepCopy, RunState& state) {
  if (!keepCopy && state.WasMovedAway(source)) return PreviewMark::ListedTwice;
  if (!keepCopy && AsciiLowerCase(source) == AsciiLowerCase(target)) return PreviewMark::None;
  if (state.IsTaken(target)) return PreviewMark::Exists;
  state.Take(target);
  if (!keepCopy) state.Free(source);
  return PreviewMark::None;
}

}  // namespace

std::optional<std::wstring> PatternProblem(const std::wstring& pattern,
                                           const std::function<bool(const std::wstring&)>& folderExists,
                                           NumberStyle style, int count) {
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
  if (const auto device = FirstDeviceName(pattern, style, count))
    return L"\"" + *device + L"\" is the name of a device in Windows, not of a file: please choose another name!";
  return std::nullopt;
}

std::wstring RunNumber(int index, int count, NumberStyle style) {
  const std::wstring number = std::to_wstring(style.start + index);
  if (!style.sameWidth) return number;
  const int largest = style.start + std::max(count, 1) - 1;
  return Padded(number, std::to_wstring(largest).size());
}

std::wstring NumberedPath(const std::wstring& pattern, const std::wstring& number) {
  std::wstring path = pattern;
  return path.replace(path.find(L'*'), 1, number);
}

std::vector<PreviewRow> PreviewRun(const std::vector<std::wstring>& entries, const std::wstring& pattern,
                                   NumberStyle style, bool keepCopy,
                                   const std::function<bool(const std::wstring&)>& exists) {
  const int count = static_cast<int>(entries.size());
  RunState state(exists);
  std::vector<PreviewRow> rows;
  for (int index = 0; index < count; ++index) {
    const std::wstring target = NumberedPath(pattern, RunNumber(index, count, style));
    rows.push_back({NameOf(target), PlayEntry(entries[index], target, keepCopy, state)});
  }
  return rows;
}

std::wstring PreviewText(const PreviewRow& row) {
  switch (row.mark) {
    case PreviewMark::Exists:
      return row.newName + L" (exists)";
    case PreviewMark::ListedTwice:
      return row.newName + L" (listed twice)";
    case PreviewMark::None:
      break;
  }
  return row.newName;
}

std::wstring PartlyRenamedText(int renamed, int total) {
  return std::to_wstring(renamed) + L" of " + std::to_wstring(total) +
         L" files renamed. The files left in the list were not renamed.";
}

std::optional<int> ParseStartNumber(const std::wstring& text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(kStartDigits) ||
      text.find_first_not_of(L"0123456789") != std::wstring::npos)
    return std::nullopt;
  return std::stoi(text);
}
