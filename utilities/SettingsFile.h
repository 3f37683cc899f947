#pragma once
#include <cstddef>
#include <deque>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The longest path or pattern the system takes.
constexpr std::size_t kPathTextLimit = 32767;

// One [section] of an INI file: its keys and values, in the order written. A key is found in any
// letter case, and the last of a repeated key counts; a value is taken as it stands. Each reader
// gives nothing for a value that is missing, of the wrong form, out of range or too long; each writer
// leaves out a value it is not given, and a text holding a line end or longer than its limit.
class SettingsSection {
 public:
  std::optional<std::wstring> Text(const std::wstring& key, std::size_t limit) const;
  // "1" or "0".
  std::optional<bool> Flag(const std::wstring& key) const;
  // Decimal digits, no more of them than the highest number has.
  std::optional<int> Number(const std::wstring& key, int lowest, int highest) const;
  // "HH:MM" on a 24-hour clock, as the minute of the day.
  std::optional<int> Time(const std::wstring& key) const;
  // One letter, given in upper case.
  std::optional<wchar_t> DriveLetter(const std::wstring& key) const;
  // Which of the words the value is, in any letter case.
  std::optional<std::size_t> Choice(const std::wstring& key, std::initializer_list<const wchar_t*> words) const;

  void SetText(const std::wstring& key, const std::optional<std::wstring>& value, std::size_t limit);
  void SetFlag(const std::wstring& key, std::optional<bool> value);
  void SetNumber(const std::wstring& key, std::optional<int> value);
  void SetTime(const std::wstring& key, std::optional<int> minuteOfDay);
  void SetDriveLetter(const std::wstring& key, std::optional<wchar_t> letter);

  const std::vector<std::pair<std::wstring, std::wstring>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::wstring, std::wstring>> entries_;
};

// Data\settings.ini: UTF-8 after its byte-order mark, CR LF line ends, a section for each tool that
// keeps values (a tool may keep more than one), each section's keys and checks being its tool's.
class SettingsFile {
 public:
  // Reads the lines of what Encode wrote, decoded as the list files are (so that the file saved again
  // by an editor, in UTF-16 or in UTF-8 without its mark, still reads). Names of sections and keys are
  // read in any letter case, spaces around them ignored; lines outside a section are ignored, and a
  // section named twice is read as one.
  static SettingsFile Decode(const std::vector<std::wstring>& lines);
  // The sections in the order they were added.
  std::string Encode() const;

  // The section of that name; an empty one when the file has none.
  const SettingsSection& Section(const std::wstring& name) const;
  // The section of that name, added at the end when it is not there yet; it stays where it is while
  // others are added.
  SettingsSection& AddSection(const std::wstring& name);

 private:
  std::deque<std::pair<std::wstring, SettingsSection>> sections_;
};
