#include <gtest/gtest.h>

#include <cwctype>

#include "tools/admin/ProcessNames.h"
#include "tools/admin/SystemInfo.h"

namespace {

constexpr std::uint64_t kMB = 1048576;

bool AsciiCaseless(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

using Names = std::vector<std::wstring>;

}  // namespace

TEST(SystemInfoLines, ShowsTheNineLinesInWholeMegabytes) {
  const MemoryFigures memory{37, 16ULL * 1024 * kMB, 5 * kMB + kMB - 1, 20ULL * 1024 * kMB + 7, 123 * kMB};
  const std::vector<std::wstring> expected = {L"Memory load: 37%",    L"---------------",
                                              L"Total RAM: 16384 MB", L"Available RAM: 5 MB",
                                              L"Page file: 20480 MB", L"Available page file: 123 MB",
                                              L"---------------",     L"Processor clock rate: 2394.56 MHz",
                                              L"(ESTIMATION)"};
  EXPECT_EQ(SystemInfoLines(memory, 2394.5625, L'.'), expected);
}

TEST(SystemInfoLines, PadsTheClockToFourDigitsWithTheLocalesSeparator) {
  const MemoryFigures memory{0, 0, 0, 0, 0};
  EXPECT_EQ(SystemInfoLines(memory, 800.004, L'.')[7], L"Processor clock rate: 0800.00 MHz");
  EXPECT_EQ(SystemInfoLines(memory, 800.125, L',')[7], L"Processor clock rate: 0800,13 MHz");
  EXPECT_EQ(SystemInfoLines(memory, 12345.6, L'.')[7], L"Processor clock rate: 12345.60 MHz");
  EXPECT_EQ(SystemInfoLines(memory, 0, L'.')[0], L"Memory load: 0%");
}

TEST(ClockFromTicks, UsesAllSixtyFourBitsOfTheCount) {
  EXPECT_DOUBLE_EQ(ClockFromTicks(1200000000ULL), 2400.0);
  EXPECT_DOUBLE_EQ(ClockFromTicks(5000000000ULL), 10000.0) << "above 2^32 ticks, a 10 GHz clock";
}

TEST(ProcessNames, LeavesOutOnlyTheExactSystemNames) {
  EXPECT_FALSE(IsListedProcessName(L"[System Process]"));
  EXPECT_FALSE(IsListedProcessName(L"System"));
  EXPECT_TRUE(IsListedProcessName(L"system"));
  EXPECT_TRUE(IsListedProcessName(L"SYSTEM"));
  EXPECT_TRUE(IsListedProcessName(L"System "));
  EXPECT_TRUE(IsListedProcessName(L"explorer.exe"));
}

TEST(TrustedNames, AddOnceAndRemoveTheFirstMatchIgnoringCase) {
  Names names = {L"svchost.exe", L"Explorer.EXE", L"", L"explorer.exe "};
  EXPECT_TRUE(ContainsName(names, L"explorer.exe", AsciiCaseless));
  EXPECT_FALSE(ContainsName(names, L"notepad.exe", AsciiCaseless));
  EXPECT_FALSE(ContainsName(names, L"explorer", AsciiCaseless)) << "a whole name matches, not a part";
  AddName(names, L"EXPLORER.exe", AsciiCaseless);
  EXPECT_EQ(names.size(), 4u) << "already there";
  AddName(names, L"notepad.exe", AsciiCaseless);
  EXPECT_EQ(names.back(), L"notepad.exe");

  Names twice = {L"a.exe", L"A.EXE", L"b.exe"};
  RemoveName(twice, L"a.Exe", AsciiCaseless);
  EXPECT_EQ(twice, (Names{L"A.EXE", L"b.exe"})) << "only the first match goes";
  RemoveName(twice, L"c.exe", AsciiCaseless);
  EXPECT_EQ(twice.size(), 2u);
}

TEST(ProcessInfoAddress, StripsTheLastExtensionAndEncodesTheName) {
  EXPECT_EQ(WithoutExtension(L"setup.x86.exe"), L"setup.x86");
  EXPECT_EQ(WithoutExtension(L"NoExtension"), L"NoExtension");
  EXPECT_EQ(WithoutExtension(L"dir.d\\name"), L"dir.d\\name");
  EXPECT_EQ(WithoutExtension(L"C:name"), L"C:name");
  EXPECT_EQ(ProcessInfoAddress(L"svchost.exe"), L"https://www.processlibrary.com/directory/files/svchost/");
  EXPECT_EQ(ProcessInfoAddress(L"My App #1 100%.exe"),
            L"https://www.processlibrary.com/directory/files/My%20App%20%231%20100%25/");
  EXPECT_EQ(ProcessInfoAddress(L"caf\u00e9.exe"), L"https://www.processlibrary.com/directory/files/caf%C3%A9/");
  EXPECT_EQ(ProcessInfoAddress(L"a/b?c.exe"), L"https://www.processlibrary.com/directory/files/a%2Fb%3Fc/");
  EXPECT_EQ(ProcessInfoAddress(L"Setup.Tool~1_x-y.exe"),
            L"https://www.processlibrary.com/directory/files/Setup.Tool~1_x-y/");
}
