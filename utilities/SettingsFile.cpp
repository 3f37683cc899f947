#include "utilities/SettingsFile.h"

#include <algorithm>

#include "utilities/AsciiCase.h"
#include "utilities/TextEncoding.h"
#include "utilities/TrayTip.h"

namespace {

std::wstring Trimmed(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

bool SameName(const std::wstring& a, const std::wstring& b) { return AsciiLowerCase(a) == AsciiLowerCase(b); }

template <typename Named>
auto FindNamed(Named& named, const std::wstring& name) {
  return std::find_if(named.rbegin(), named.rend(), [&](const auto& entry) { return SameName(entry.first, name); });
}

std::size_t DigitCount(int number) { return std::to_wstring(number).size(); }

std::optional<int> DigitsValue(const std::wstring& text) {
  if (text.empty()) return std::nullopt;
  int number = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    number = number * 10 + (c - L'0');
  }
  return number;
}

}  // namespace

std::optional<std::wstring> SettingsSection::Text(const std::wstring& key, std::size_t limit) const {
  const auto found = FindNamed(entries_, key);
  if (found == entries_.rend() || found->second.size() > limit) return std::nullopt;
  return found->second;
}

std::optional<bool> SettingsSection::Flag(const std::wstring& key) const {
  const auto choice = Choice(key, {L"0", L"1"});
  if (!choice) return std::nullopt;
  return *choice == 1;
}

std::optional<int> SettingsSection::Number(const std::wstring& key, int lowest, int highest) const {
  const auto text = Text(key, DigitCount(highest));
  const auto number = text ? DigitsValue(*text) : std::nullopt;
  if (!number || *number < lowest || *number > highest) return std::nullopt;
  return number;
}

std::optional<int> SettingsSection::Time(const std::wstring& key) const {
  const auto text = Text(key, 5);
  if (!text || text->size() != 5 || (*text)[2] != L':') return std::nullopt;
  const auto hour = DigitsValue(text->substr(0, 2)), minute = DigitsValue(text->substr(3));
  if (!hour || !minute || *hour > 23 || *minute > 59) return std::nullopt;
  return *hour * 60 + *minute;
}

std::optional<wchar_t> SettingsSection::DriveLetter(const std::wstring& key) const {
  const auto text = Text(key, 1);
  if (!text || text->empty()) return std::nullopt;
  const wchar_t letter = AsciiLower((*text)[0]);
  if (letter < L'a' || letter > L'z') return std::nullopt;
  return static_cast<wchar_t>(letter - L'a' + L'A');
}

std::optional<std::size_t> SettingsSection::Choice(const std::wstring& key,
                                                   std::initializer_list<const wchar_t*> words) const {
  std::size_t longest = 0;
  for (const wchar_t* word : words) longest = std::max(longest, std::wstring(word).size());
  const auto text = Text(key, longest);
  if (!text) return std::nullopt;
  std::size_t index = 0;
  for (const wchar_t* word : words) {
    if (SameName(*text, word)) return index;
    ++index;
  }
  return std::nullopt;
}

void SettingsSection::SetText(const std::wstring& key, const std::optional<std::wstring>& value, std::size_t limit) {
  if (!value || value->size() > limit || value->find_first_of(L"\r\n") != std::wstring::npos) return;
  entries_.emplace_back(key, *value);
}

void SettingsSection::SetFlag(const std::wstring& key, std::optional<bool> value) {
  if (value) SetText(key, std::wstring(*value ? L"1" : L"0"), 1);
}

void SettingsSection::SetNumber(const std::wstring& key, std::optional<int> value) {
  if (value) SetText(key, std::to_wstring(*value), std::wstring::npos);
}

void SettingsSection::SetTime(const std::wstring& key, std::optional<int> minuteOfDay) {
  if (minuteOfDay) SetText(key, ClockTime(*minuteOfDay / 60, *minuteOfDay % 60), 5);
}

void SettingsSection::SetDriveLetter(const std::wstring& key, std::optional<wchar_t> letter) {
  if (letter) SetText(key, std::wstring(1, *letter), 1);
}

SettingsFile SettingsFile::Decode(const std::vector<std::wstring>& lines) {
  SettingsFile file;
  SettingsSection* section = nullptr;
  for (const std::wstring& line : lines) {
    const std::wstring trimmed = Trimmed(line);
    if (trimmed.size() >= 2 && trimmed.front() == L'[' && trimmed.back() == L']') {
      const std::wstring name = Trimmed(trimmed.substr(1, trimmed.size() - 2));
      section = name.empty() ? nullptr : &file.AddSection(name);
      continue;
    }
    const auto equals = line.find(L'=');
    if (section && equals != std::wstring::npos)
      section->SetText(Trimmed(line.substr(0, equals)), line.substr(equals + 1), std::wstring::npos);
  }
  return file;
}

std::string SettingsFile::Encode() const {
  std::wstring text;
  for (const auto& [name, section] : sections_) {
    text += L"[" + name + L"]\r\n";
    for (const auto& [key, value] : section.Entries()) text += key + L"=" + value + L"\r\n";
  }
  return std::string(kUtf8Mark) + Utf16ToUtf8(text);
}

const SettingsSection& SettingsFile::Section(const std::wstring& name) const {
  static const SettingsSection kNone;
  const auto found = FindNamed(sections_, name);
  return found == sections_.rend() ? kNone : found->second;
}

SettingsSection& SettingsFile::AddSection(const std::wstring& name) {
  const auto found = FindNamed(sections_, name);
  if (found != sections_.rend()) return found->second;
  return sections_.emplace_back(name, SettingsSection()).second;
}
