#include "tools/disk/DriveFigures.h"

#include <gtest/gtest.h>

namespace {
constexpr std::int64_t kGiB = 1024LL * 1024 * 1024;
}

TEST(DriveFigures, ShowsFreeUsedAndSizeInGibibytes) {
  const long double free = ToGibibytes(25 * kGiB), total = ToGibibytes(100 * kGiB);
  EXPECT_EQ(FreeSpaceText(free, total, L'.'), L"Free Space: 25.00 GB (25%)");
  EXPECT_EQ(SpaceUsedText(free, total, L'.'), L"Space Used: 75.00 GB");
  EXPECT_EQ(DriveSizeText(total, L'.'), L"Size of the fixed drive: 100.00 GB");
  EXPECT_EQ(FreeSpaceText(free, total, L','), L"Free Space: 25,00 GB (25%)");
  EXPECT_EQ(DriveSizeText(ToGibibytes(3 * 1024 * kGiB), L'.'), L"Size of the fixed drive: 3072.00 GB");
}

TEST(DriveFigures, PercentageRoundsHalvesToEven) {
  EXPECT_EQ(FreePercent(ToGibibytes(1 * kGiB), ToGibibytes(8 * kGiB)), 12);  // 12.5
  EXPECT_EQ(FreePercent(ToGibibytes(3 * kGiB), ToGibibytes(8 * kGiB)), 38);  // 37.5
  EXPECT_EQ(FreePercent(ToGibibytes(5 * kGiB), ToGibibytes(8 * kGiB)), 62);  // 62.5
  EXPECT_EQ(FreePercent(ToGibibytes(0), ToGibibytes(8 * kGiB)), 0);
}

TEST(DriveFigures, AFailedQueryShowsNothingFreeOfNothingAsAHundredPercent) {
  const long double failed = ToGibibytes(-1);
  EXPECT_LT(failed, 0);
  EXPECT_EQ(FreeSpaceText(failed, failed, L'.'), L"Free Space: 0.00 GB (100%)");
  EXPECT_EQ(SpaceUsedText(failed, failed, L'.'), L"Space Used: 0.00 GB");
  EXPECT_EQ(DriveSizeText(failed, L'.'), L"Size of the fixed drive: 0.00 GB");
}

TEST(DriveFigures, AZeroSizedDriveShowsNoShareInsteadOfFailing) {
  EXPECT_EQ(FreeSpaceText(0, 0, L'.'), L"Free Space: 0.00 GB (0%)");
}

TEST(DriveFigures, SerialIsTwoGroupsOfFourUpperCaseDigits) {
  EXPECT_EQ(VolumeSerialText(0x1A2B3C4D), L"1A2B:3C4D");
  EXPECT_EQ(VolumeSerialText(0xABCD), L"0000:ABCD");
  EXPECT_EQ(VolumeSerialText(0xFFFFFFFF), L"FFFF:FFFF");
  EXPECT_EQ(VolumeSerialText(0x43000000), L"4300:0000");
}

TEST(DriveFigures, DriveNumbersMapLettersToRoots) {
  EXPECT_EQ(DriveNumber(L'A'), 1);
  EXPECT_EQ(DriveNumber(L'C'), 3);
  EXPECT_EQ(DriveNumber(L'c'), 35);
  EXPECT_EQ(RootOfDriveNumber(DriveNumber(L'D')), L"D:\\");
  EXPECT_EQ(RootOfDriveNumber(DriveNumber(L'c')), L"c:\\");
}
