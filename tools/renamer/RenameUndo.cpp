#include "tools/renamer/RenameUndo.h"

#include <algorithm>
#include <array>
#include <limits>

#include "utilities/AsciiCase.h"

namespace {

const std::wstring kFirstLine = L"Quoxel renamer undo 1", kLastLine = L"End";
// The lines before the entries: the first and the four settings.
constexpr size_t kHeaderLines = 5;
const std::wstring kRecordFile = L"Data\\renamer-undo.txt";
const std::wstring kNothingUndone = L": nothing was undone.";

// Indexed by EntryState.
constexpr std::array<const wchar_t*, 3> kStateNames{L"planned", L"done", L"failed"};
const std::wstring kFree = L"free", kTaken = L"taken";

std::wstring FlagText(bool value) { return value ? L"1" : L"0"; }

std::wstring EntryLine(const UndoEntry& entry) {
  return std::wstring(kStateNames[static_cast<size_t>(entry.state)]) + L"\t" + entry.oldPath + L"\t" + entry.newPath +
         L"\t" + std::to_wstring(entry.stamp.size) + L"\t" + std::to_wstring(entry.stamp.writeTime) + L"\t" +
         (entry.newPathWasFree ? kFree : kTaken);
}

std::vector<std::wstring> SplitAtTabs(const std::wstring& line) {
  std::vector<std::wstring> fields;
  size_t from = 0;
  for (size_t tab = line.find(L'\t'); tab != std::wstring::npos; tab = line.find(L'\t', from)) {
    fields.push_back(line.substr(from, tab - from));
    from = tab + 1;
  }
  fields.push_back(line.substr(from));
  return fields;
}

// The value of the setting line "<name><TAB><value>"; nothing when the line is another.
std::optional<std::wstring> SettingValue(const std::wstring& line, const std::wstring& name) {
  const std::vector<std::wstring> fields = SplitAtTabs(line);
  if (fields.size() != 2 || fields[0] != name) return std::nullopt;
  return fields[1];
}

std::optional<bool> ParseFlag(const std::optional<std::wstring>& text) {
  if (text == L"0" || text == L"1") return text == L"1";
  return std::nullopt;
}

// Decimal digits only, no sign, within 64 bits.
std::optional<std::uint64_t> ParseCount(const std::optional<std::wstring>& text) {
  if (!text || text->empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const wchar_t c : *text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    const std::uint64_t digit = static_cast<std::uint64_t>(c - L'0');
    if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

std::optional<EntryState> ParseState(const std::wstring& text) {
  for (size_t state = 0; state < kStateNames.size(); ++state)
    if (text == kStateNames[state]) return static_cast<EntryState>(state);
  return std::nullopt;
}

std::optional<UndoEntry> ParseEntry(const std::wstring& line) {
  const std::vector<std::wstring> fields = SplitAtTabs(line);
  if (fields.size() != 6 || fields[1].empty() || fields[2].empty()) return std::nullopt;
  const auto state = ParseState(fields[0]);
  const auto size = ParseCount(fields[3]), writeTime = ParseCount(fields[4]);
  if (!state || !size || !writeTime || (fields[5] != kFree && fields[5] != kTaken)) return std::nullopt;
  return UndoEntry{fields[1], fields[2], {*size, *writeTime}, fields[5] == kFree, *state};
}

// Reads the settings into `record`; the index of the first line that does not read, if one does not.
// Every check fails on the closing line, so none looks past it.
std::optional<size_t> ReadSettings(const std::vector<std::wstring>& lines, UndoRecord& record) {
  const auto pattern = SettingValue(lines[1], L"Pattern");
  if (!pattern || pattern->empty()) return 1;
  record.pattern = *pattern;
  const auto keepCopy = ParseFlag(SettingValue(lines[2], L"KeepCopy"));
  if (!keepCopy) return 2;
  record.keepCopy = *keepCopy;
  const auto start = ParseCount(SettingValue(lines[3], L"Start"));
  if (!start || *start > static_cast<std::uint64_t>(kHighestStart)) return 3;
  record.numbers.start = static_cast<int>(*start);
  const auto sameWidth = ParseFlag(SettingValue(lines[4], L"SameWidth"));
  if (!sameWidth) return 4;
  record.numbers.sameWidth = *sameWidth;
  return std::nullopt;
}

UndoRecordReading Unreadable(const std::wstring& why) { return {std::nullopt, kRecordFile + why + kNothingUndone}; }

UndoRecordReading Damaged(size_t index) {
  return Unreadable(L" is damaged (line " + std::to_wstring(index + 1) + L")");
}

// "1 file" or "2 files".
std::wstring Files(int count) { return std::to_wstring(count) + (count == 1 ? L" file" : L" files"); }

// A sentence about `count` files left, its verb and pronouns agreeing: "1 file was left because it ...".
std::wstring LeftSentence(int count, const std::wstring& one, const std::wstring& more) {
  return count == 0 ? L"" : L" " + Files(count) + (count == 1 ? one : more);
}

}  // namespace

std::vector<std::wstring> UndoRecordLines(const UndoRecord& record) {
  std::vector<std::wstring> lines{kFirstLine, L"Pattern\t" + record.pattern, L"KeepCopy\t" + FlagText(record.keepCopy),
                                  L"Start\t" + std::to_wstring(record.numbers.start),
                                  L"SameWidth\t" + FlagText(record.numbers.sameWidth)};
  for (const UndoEntry& entry : record.entries) lines.push_back(EntryLine(entry));
  lines.push_back(kLastLine);
  return lines;
}

UndoRecordReading ReadUndoRecord(const std::vector<std::wstring>& lines) {
  if (!lines.empty() && lines[0] != kFirstLine) return Unreadable(L" is not an undo record of Quoxel");
  const size_t last = static_cast<size_t>(std::find(lines.begin(), lines.end(), kLastLine) - lines.begin());
  if (last == lines.size()) return Unreadable(L" was cut short");
  UndoRecord record;
  if (const auto bad = ReadSettings(lines, record)) return Damaged(*bad);
  for (size_t index = kHeaderLines; index < last; ++index) {
    const auto entry = ParseEntry(lines[index]);
    if (!entry) return Damaged(index);
    record.entries.push_back(*entry);
  }
  if (last + 1 < lines.size()) return Damaged(last + 1);
  return {record, L""};
}

UndoStep DecideUndo(const UndoEntry& entry, bool keepCopy, const std::optional<FileStamp>& atNewPath,
                    bool oldPathFree) {
  // A file moved onto its own path, or onto it in another letter case, holds the old path itself.
  const bool oldFree = oldPathFree || (!keepCopy && AsciiLowerCase(entry.oldPath) == AsciiLowerCase(entry.newPath));
  const bool stampKept = atNewPath == entry.stamp;
  switch (entry.state) {
    case EntryState::Failed:
      return UndoStep::Nothing;
    case EntryState::Planned:
      if (keepCopy) return entry.newPathWasFree && stampKept ? UndoStep::DeleteCopy : UndoStep::Nothing;
      return oldFree && stampKept ? UndoStep::MoveBack : UndoStep::Nothing;
    case EntryState::Done:
      break;
  }
  if (!atNewPath) return UndoStep::LeaveGone;
  if (!stampKept) return UndoStep::LeaveChanged;
  if (keepCopy) return UndoStep::DeleteCopy;
  return oldFree ? UndoStep::MoveBack : UndoStep::LeaveTaken;
}

std::wstring UndoReport(const UndoTally& tally) {
  return Files(tally.putBack) + L" put back." +
         LeftSentence(tally.changed, L" was left as it is because it changed since the rename.",
                      L" were left as they are because they changed since the rename.") +
         LeftSentence(tally.taken, L" was left because its old name is taken again.",
                      L" were left because their old names are taken again.") +
         LeftSentence(tally.gone, L" was left because it is gone.", L" were left because they are gone.") +
         LeftSentence(tally.failed, L" could not be put back.", L" could not be put back.");
}
