#include "utilities/SettingsFile.h"

#include <gtest/gtest.h>

#include "utilities/TextListFile.h"

namespace {

const std::string kMark = "\xEF\xBB\xBF";

// The file's bytes read as the program reads them, with Latin-1 for the ANSI code page.
RememberedSettings Read(const std::string& bytes) {
  return DecodeSettings(DecodeTextList(bytes, [](const std::string& ansi) { return std::wstring(ansi.begin(), ansi.end()); }));
}

std::string Utf16LittleEndian(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>((unit >> 8) & 0xFF)};
  return bytes;
}

RememberedSettings Full() {
  RememberedSettings s;
  s.alertDrive = L'D';
  s.alertThreshold = L"7,5";
  s.alertArmed = true;
  s.alarmMinute = 7 * 60 + 30;
  s.alarmSound = L"C:\\Ääni\\wake up.wav";
  s.alarmArmed = false;
  s.shutdownMinute = 23 * 60;
  s.shutdownReboot = true;
  s.largestFilesCount = 12;
  s.renamePattern = L"C:\\Kuvat\\loma*.jpg";
  s.keepCopy = true;
  return s;
}

// Every value, so that a table row names what it expects by difference from the full settings.
void ExpectSame(const RememberedSettings& read, const RememberedSettings& expected, const std::string& row) {
  SCOPED_TRACE(row);
  EXPECT_EQ(read.alertDrive, expected.alertDrive);
  EXPECT_EQ(read.alertThreshold, expected.alertThreshold);
  EXPECT_EQ(read.alertArmed, expected.alertArmed);
  EXPECT_EQ(read.alarmMinute, expected.alarmMinute);
  EXPECT_EQ(read.alarmSound, expected.alarmSound);
  EXPECT_EQ(read.alarmArmed, expected.alarmArmed);
  EXPECT_EQ(read.shutdownMinute, expected.shutdownMinute);
  EXPECT_EQ(read.shutdownReboot, expected.shutdownReboot);
  EXPECT_EQ(read.largestFilesCount, expected.largestFilesCount);
  EXPECT_EQ(read.renamePattern, expected.renamePattern);
  EXPECT_EQ(read.keepCopy, expected.keepCopy);
}

// The full file with one line replaced (or removed, with an empty replacement).
std::string FullWith(const std::string& line, const std::string& replacement) {
  std::string bytes = EncodeSettings(Full());
  const auto at = bytes.find(line + "\r\n");
  return bytes.replace(at, line.size() + 2, replacement.empty() ? "" : replacement + "\r\n");
}

}  // namespace

TEST(SettingsFile, EachValueReadsBackAndEachDamageGivesThatValuesDefault) {
  const RememberedSettings none, full = Full();
  const auto without = [&](auto RememberedSettings::*value) {
    RememberedSettings s = full;
    s.*value = {};
    return s;
  };
  RememberedSettings shutdownChoice = full;
  shutdownChoice.shutdownReboot = false;
  const std::string utf16 = Utf16LittleEndian(Utf8ToUtf16(EncodeSettings(full).substr(3)));
  const struct {
    std::string row, bytes;
    RememberedSettings expected;
  } cases[] = {
      {"every value", EncodeSettings(full), full},
      {"nothing set", EncodeSettings(none), none},
      {"empty file", "", none},
      {"mark only", kMark, none},
      {"UTF-8 without its mark, as editors save it", EncodeSettings(full).substr(3), full},
      {"UTF-16, as editors save it", utf16, full},
      {"not INI", kMark + "\x89PNG\r\n\x1a\n\0\0\0\rIHDR", none},
      {"key outside any section", kMark + "Drive=D\r\n", none},
      {"missing key", FullWith("Drive=D", ""), without(&RememberedSettings::alertDrive)},
      {"drive not a letter", FullWith("Drive=D", "Drive=4"), without(&RememberedSettings::alertDrive)},
      {"flag not 0 or 1", FullWith("Armed=1", "Armed=yes"), without(&RememberedSettings::alertArmed)},
      {"hour 24", FullWith("Time=07:30", "Time=24:00"), without(&RememberedSettings::alarmMinute)},
      {"minute 60", FullWith("Time=07:30", "Time=07:60"), without(&RememberedSettings::alarmMinute)},
      {"time without colon", FullWith("Time=07:30", "Time=0730"), without(&RememberedSettings::alarmMinute)},
      {"count below 5", FullWith("Count=12", "Count=4"), without(&RememberedSettings::largestFilesCount)},
      {"count above 20", FullWith("Count=12", "Count=21"), without(&RememberedSettings::largestFilesCount)},
      {"count not a number", FullWith("Count=12", "Count=1x"), without(&RememberedSettings::largestFilesCount)},
      {"unknown action", FullWith("Action=Reboot", "Action=Halt"), without(&RememberedSettings::shutdownReboot)},
      {"other action, other case", FullWith("Action=Reboot", " action =SHUTDOWN"), shutdownChoice},
      {"overlong threshold", FullWith("Threshold=7,5", "Threshold=" + std::string(33, '7')),
       without(&RememberedSettings::alertThreshold)},
      {"overlong path", FullWith("Pattern=C:\\Kuvat\\loma*.jpg", "Pattern=" + std::string(32768, 'a')),
       without(&RememberedSettings::renamePattern)},
      {"broken UTF-8", FullWith("KeepCopy=1", "KeepCopy=1\xC3"), without(&RememberedSettings::keepCopy)},
  };
  for (const auto& c : cases) ExpectSame(Read(c.bytes), c.expected, c.row);
}

TEST(SettingsFile, TextsThatCannotBeWrittenAreLeftOut) {
  RememberedSettings s = Full();
  s.renamePattern = L"C:\\a*\r\n[Alert]";
  s.alertThreshold = std::wstring(33, L'1');
  const RememberedSettings read = Read(EncodeSettings(s));
  EXPECT_EQ(read.renamePattern, std::nullopt);
  EXPECT_EQ(read.alertThreshold, std::nullopt);
  EXPECT_EQ(read.alertDrive, s.alertDrive);
}
