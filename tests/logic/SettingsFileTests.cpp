#include "utilities/SettingsFile.h"

#include <gtest/gtest.h>

#include "tools/alarm/AlarmSettings.h"
#include "tools/disk/DiskSettings.h"
#include "tools/renamer/RenamerSettings.h"
#include "tools/wallpaper/WallpaperSettings.h"
#include "tools/shutdown/ShutdownSettings.h"
#include "utilities/TextListFile.h"

namespace {

// The file's bytes read as the program reads them, with Latin-1 for the ANSI code page.
SettingsFile Read(const std::string& bytes) {
  return SettingsFile::Decode(
      DecodeTextList(bytes, [](const std::string& ansi) { return std::wstring(ansi.begin(), ansi.end()); }));
}

std::string Utf16LittleEndian(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) bytes += {c, '\0'};
  return bytes;
}

// Quoxel 1.0's file with every value set.
const std::string kFileOfVersion1 =
    "\xEF\xBB\xBF[Alert]\r\nDrive=D\r\nThreshold=7,5\r\nArmed=1\r\n[Alarm]\r\nTime=07:30\r\n"
    "Sound=C:\\\xC3\x84\xC3\xA4ni\\wake up.wav\r\nArmed=0\r\n[Shutdown]\r\nTime=23:00\r\nAction=Reboot\r\n"
    "[LargestFiles]\r\nCount=12\r\n[Renamer]\r\nPattern=C:\\Kuvat\\loma*.jpg\r\nKeepCopy=1\r\n";

}  // namespace

TEST(SettingsFile, ReadsSectionsAndKeysInAnyCaseAndEncoding) {
  const std::string mark = "\xEF\xBB\xBF", plain = "[S]\r\nK=v\r\n";
  const struct {
    const char* row;
    std::string bytes;
    std::optional<std::wstring> expected;
  } cases[] = {
      {"as written", mark + plain, L"v"},
      {"UTF-8 without its mark", plain, L"v"},
      {"UTF-16", Utf16LittleEndian(plain), L"v"},
      {"empty file", "", std::nullopt},
      {"mark only", mark, std::nullopt},
      {"not INI", mark + "\x89PNG\r\n\x1a\n\0\0\0\rIHDR", std::nullopt},
      {"key outside any section", "K=v\r\n", std::nullopt},
      {"names in any case, blanks around them; the value as it stands", " [ s ] \r\n\tk = v \r\n", L" v "},
      {"the last of a repeated key", "[S]\r\nK=a\r\n[T]\r\nK=b\r\n[s]\r\nK=c\r\n", L"c"},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(c.bytes).Section(L"S").Text(L"K", 9), c.expected) << c.row;
}

TEST(SettingsFile, TypedValuesOfTheWrongFormOrRangeAreNotRead) {
  const auto with = [](const std::wstring& value) {
    SettingsSection section;
    section.SetText(L"K", value, 99);
    return section;
  };
  EXPECT_EQ(with(L"1").Flag(L"K"), true);
  EXPECT_EQ(with(L"0").Flag(L"K"), false);
  EXPECT_EQ(with(L"yes").Flag(L"K"), std::nullopt);
  EXPECT_EQ(with(L"20").Number(L"K", 5, 20), 20);
  for (const wchar_t* wrong : {L"4", L"21", L"1x", L"012", L""})
    EXPECT_EQ(with(wrong).Number(L"K", 5, 20), std::nullopt) << wrong;
  EXPECT_EQ(with(L"23:59").Time(L"K"), 23 * 60 + 59);
  for (const wchar_t* wrong : {L"24:00", L"07:60", L"0730", L"7:30"})
    EXPECT_EQ(with(wrong).Time(L"K"), std::nullopt) << wrong;
  EXPECT_EQ(with(L"d").DriveLetter(L"K"), L'D');
  for (const wchar_t* wrong : {L"4", L"DE", L""}) EXPECT_EQ(with(wrong).DriveLetter(L"K"), std::nullopt) << wrong;
  EXPECT_EQ(with(L"bB").Choice(L"K", {L"a", L"bb"}), 1u);
  EXPECT_EQ(with(L"c").Choice(L"K", {L"a", L"bb"}), std::nullopt);
  EXPECT_EQ(with(L"1234").Text(L"K", 3), std::nullopt);
}

TEST(SettingsFile, WritesSectionsInTheirOrderAndLeavesOutTextsThatCannotBeWritten) {
  SettingsFile file;
  SettingsSection& first = file.AddSection(L"B");
  file.AddSection(L"A").SetTime(L"Time", 7 * 60 + 5);
  first.SetText(L"Line", L"a\r\n[A]", 99);
  first.SetText(L"Long", L"1234", 3);
  first.SetFlag(L"Flag", true);
  file.AddSection(L"b").SetDriveLetter(L"Drive", L'C');
  EXPECT_EQ(file.Encode(), "\xEF\xBB\xBF[B]\r\nFlag=1\r\nDrive=C\r\n[A]\r\nTime=07:05\r\n");
}

// Written back in the order of the tabs, each section with the same lines.
TEST(SettingsFile, AFileOfVersion1ReadsIntoTheSameValuesAndWritesThemBack) {
  const SettingsFile file = Read(kFileOfVersion1);
  const DiskSettings disk = ReadDiskSettings(file);
  EXPECT_EQ(disk.alertDrive, L'D');
  EXPECT_EQ(disk.alertThreshold, L"7,5");
  EXPECT_EQ(disk.alertArmed, true);
  EXPECT_EQ(disk.largestFilesCount, 12);
  const AlarmSettings alarm = ReadAlarmSettings(file);
  EXPECT_EQ(alarm.minuteOfDay, 7 * 60 + 30);
  EXPECT_EQ(alarm.sound, L"C:\\\u00C4\u00E4ni\\wake up.wav");
  EXPECT_EQ(alarm.armed, false);
  const RenamerSettings renamer = ReadRenamerSettings(file);
  EXPECT_EQ(renamer.pattern, L"C:\\Kuvat\\loma*.jpg");
  EXPECT_EQ(renamer.keepCopy, true);
  const ShutdownSettings shutdown = ReadShutdownSettings(file);
  EXPECT_EQ(shutdown.minuteOfDay, 23 * 60);
  EXPECT_EQ(shutdown.reboot, true);

  SettingsFile again;
  WriteDiskSettings(disk, again);
  WriteAlarmSettings(alarm, again);
  WriteRenamerSettings(renamer, again);
  WriteShutdownSettings(shutdown, again);
  EXPECT_EQ(again.Encode(),
            "\xEF\xBB\xBF[Alert]\r\nDrive=D\r\nThreshold=7,5\r\nArmed=1\r\n[LargestFiles]\r\nCount=12\r\n[Alarm]\r\n"
            "Time=07:30\r\nSound=C:\\\xC3\x84\xC3\xA4ni\\wake up.wav\r\nArmed=0\r\n[Renamer]\r\n"
            "Pattern=C:\\Kuvat\\loma*.jpg\r\nKeepCopy=1\r\n[Shutdown]\r\nTime=23:00\r\nAction=Reboot\r\n");
}

TEST(SettingsFile, PathsLongerThanTheSystemTakesAreNotRead) {
  const std::wstring overlong(kPathTextLimit + 1, L'a');
  EXPECT_EQ(ReadAlarmSettings(SettingsFile::Decode({L"[Alarm]", L"Sound=" + overlong})).sound, std::nullopt);
  EXPECT_EQ(ReadRenamerSettings(SettingsFile::Decode({L"[Renamer]", L"Pattern=" + overlong})).pattern, std::nullopt);
  EXPECT_EQ(ReadRenamerSettings(SettingsFile::Decode({L"[Renamer]", L"StartAt=1000000"})).startAt, std::nullopt);
  const WallpaperSettings wallpaper =
      ReadWallpaperSettings(SettingsFile::Decode({L"[Wallpaper]", L"ChangeEvery=7", L"Position=fill"}));
  EXPECT_EQ(wallpaper.changeMinutes, std::nullopt);  // not one of the choices
  EXPECT_EQ(wallpaper.fit, 1u);
}
