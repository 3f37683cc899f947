#include "utilities/SettingsFile.h"

#include <map>
#include <utility>
#include <vector>

#include "utilities/AsciiCase.h"
#include "utilities/LargestFiles.h"
#include "utilities/TextEncoding.h"
#include "utilities/TrayTip.h"

namespace {

// The file's sections and keys, as written and, in lower case, as looked up.
constexpr wchar_t kAlert[] = L"Alert", kAlarm[] = L"Alarm", kShutdown[] = L"Shutdown";
constexpr wchar_t kLargestFiles[] = L"LargestFiles", kRenamer[] = L"Renamer";

using Key = std::pair<std::wstring, std::wstring>;  // section and key, in lower case
using Values = std::map<Key, std::wstring>;

std::wstring TimeText(int minuteOfDay) { return ClockTime(minuteOfDay / 60, minuteOfDay % 60); }

class Writer {
 public:
  void Section(const wchar_t* name) { text_ += std::wstring(L"[") + name + L"]\r\n"; }
  void Text(const wchar_t* key, const std::optional<std::wstring>& value, std::size_t limit) {
    if (!value || value->size() > limit || value->find_first_of(L"\r\n") != std::wstring::npos) return;
    text_ += std::wstring(key) + L"=" + *value + L"\r\n";
  }
  void Flag(const wchar_t* key, const std::optional<bool>& value) {
    if (value) Text(key, std::wstring(*value ? L"1" : L"0"), 1);
  }
  void Time(const wchar_t* key, const std::optional<int>& minuteOfDay) {
    if (minuteOfDay) Text(key, TimeText(*minuteOfDay), 5);
  }
  std::string Bytes() const { return std::string(kUtf8Mark) + Utf16ToUtf8(text_); }

 private:
  std::wstring text_;
};

std::wstring Trimmed(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

Values ReadValues(const std::vector<std::wstring>& lines) {
  Values values;
  std::wstring section;
  for (const std::wstring& line : lines) {
    const std::wstring trimmed = Trimmed(line);
    if (trimmed.size() >= 2 && trimmed.front() == L'[' && trimmed.back() == L']') {
      section = AsciiLowerCase(Trimmed(trimmed.substr(1, trimmed.size() - 2)));
      continue;
    }
    const auto equals = line.find(L'=');
    if (section.empty() || equals == std::wstring::npos) continue;
    values[{section, AsciiLowerCase(Trimmed(line.substr(0, equals)))}] = line.substr(equals + 1);
  }
  return values;
}

class Reader {
 public:
  explicit Reader(const std::vector<std::wstring>& lines) : values_(ReadValues(lines)) {}

  std::optional<std::wstring> Text(const wchar_t* section, const wchar_t* key, std::size_t limit) const {
    const auto found = values_.find({AsciiLowerCase(section), AsciiLowerCase(key)});
    if (found == values_.end() || found->second.size() > limit) return std::nullopt;
    return found->second;
  }
  std::optional<bool> Flag(const wchar_t* section, const wchar_t* key) const {
    const auto text = Text(section, key, 1);
    if (text == L"1") return true;
    if (text == L"0") return false;
    return std::nullopt;
  }
  std::optional<int> Number(const wchar_t* section, const wchar_t* key, int lowest, int highest) const {
    const auto text = Text(section, key, 2);
    if (!text || text->empty()) return std::nullopt;
    int number = 0;
    for (wchar_t c : *text) {
      if (c < L'0' || c > L'9') return std::nullopt;
      number = number * 10 + (c - L'0');
    }
    if (number < lowest || number > highest) return std::nullopt;
    return number;
  }
  // "HH:MM" on a 24-hour clock.
  std::optional<int> Time(const wchar_t* section, const wchar_t* key) const {
    const auto text = Text(section, key, 5);
    if (!text || text->size() != 5 || (*text)[2] != L':') return std::nullopt;
    const auto digit = [&](std::size_t at) { return (*text)[at] - L'0'; };
    for (std::size_t at : {0, 1, 3, 4})
      if (digit(at) < 0 || digit(at) > 9) return std::nullopt;
    const int hour = digit(0) * 10 + digit(1), minute = digit(3) * 10 + digit(4);
    if (hour > 23 || minute > 59) return std::nullopt;
    return hour * 60 + minute;
  }
  std::optional<wchar_t> DriveLetter(const wchar_t* section, const wchar_t* key) const {
    const auto text = Text(section, key, 1);
    if (!text || text->empty()) return std::nullopt;
    const wchar_t letter = AsciiLower((*text)[0]);
    if (letter < L'a' || letter > L'z') return std::nullopt;
    return static_cast<wchar_t>(letter - L'a' + L'A');
  }

 private:
  Values values_;
};

}  // namespace

std::string EncodeSettings(const RememberedSettings& settings) {
  Writer file;
  file.Section(kAlert);
  if (settings.alertDrive) file.Text(L"Drive", std::wstring(1, *settings.alertDrive), 1);
  file.Text(L"Threshold", settings.alertThreshold, kThresholdTextLimit);
  file.Flag(L"Armed", settings.alertArmed);
  file.Section(kAlarm);
  file.Time(L"Time", settings.alarmMinute);
  file.Text(L"Sound", settings.alarmSound, kPathTextLimit);
  file.Flag(L"Armed", settings.alarmArmed);
  file.Section(kShutdown);
  file.Time(L"Time", settings.shutdownMinute);
  if (settings.shutdownReboot) file.Text(L"Action", std::wstring(*settings.shutdownReboot ? L"Reboot" : L"Shutdown"), 8);
  file.Section(kLargestFiles);
  if (settings.largestFilesCount) file.Text(L"Count", std::to_wstring(*settings.largestFilesCount), 2);
  file.Section(kRenamer);
  file.Text(L"Pattern", settings.renamePattern, kPathTextLimit);
  file.Flag(L"KeepCopy", settings.keepCopy);
  return file.Bytes();
}

RememberedSettings DecodeSettings(const std::vector<std::wstring>& lines) {
  const Reader file(lines);
  RememberedSettings settings;
  settings.alertDrive = file.DriveLetter(kAlert, L"Drive");
  settings.alertThreshold = file.Text(kAlert, L"Threshold", kThresholdTextLimit);
  settings.alertArmed = file.Flag(kAlert, L"Armed");
  settings.alarmMinute = file.Time(kAlarm, L"Time");
  settings.alarmSound = file.Text(kAlarm, L"Sound", kPathTextLimit);
  settings.alarmArmed = file.Flag(kAlarm, L"Armed");
  settings.shutdownMinute = file.Time(kShutdown, L"Time");
  const auto action = file.Text(kShutdown, L"Action", 8);
  if (action && AsciiLowerCase(*action) == L"reboot") settings.shutdownReboot = true;
  if (action && AsciiLowerCase(*action) == L"shutdown") settings.shutdownReboot = false;
  settings.largestFilesCount = file.Number(kLargestFiles, L"Count", kFewestLargestFiles, kLargestFilesCapacity);
  settings.renamePattern = file.Text(kRenamer, L"Pattern", kPathTextLimit);
  settings.keepCopy = file.Flag(kRenamer, L"KeepCopy");
  return settings;
}
