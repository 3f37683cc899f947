#include "utilities/NumberFormat.h"

#include <gtest/gtest.h>

#include <limits>

TEST(FormatFixed2, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(FormatFixed2(0.125L, 1, L'.'), L"0.13");
  EXPECT_EQ(FormatFixed2(-0.125L, 1, L'.'), L"-0.13");
  EXPECT_EQ(FormatFixed2(1.005L, 1, L'.'), L"1.01");  // 1.00499999...9998 to 18 digits is 1.005
  EXPECT_EQ(FormatFixed2(1.005, 1, L'.'), L"1.00");   // the double lies further below: 1.0049999...99893
  EXPECT_EQ(FormatFixed2(0.124L, 1, L'.'), L"0.12");
}

TEST(FormatFixed2, CarriesIntoNewDigits) {
  EXPECT_EQ(FormatFixed2(9.995L, 1, L'.'), L"10.00");
  EXPECT_EQ(FormatFixed2(99.999L, 1, L'.'), L"100.00");
  EXPECT_EQ(FormatFixed2(-999.996L, 1, L'.'), L"-1000.00");
}

TEST(FormatFixed2, DropsTheMinusOfAValueThatRoundsToZero) {
  EXPECT_EQ(FormatFixed2(-0.004L, 1, L'.'), L"0.00");
  EXPECT_EQ(FormatFixed2(-0.0L, 1, L'.'), L"0.00");
  EXPECT_EQ(FormatFixed2(-1e-30L, 1, L'.'), L"0.00");
  EXPECT_EQ(FormatFixed2(-0.005L, 1, L'.'), L"-0.01");
}

TEST(FormatFixed2, PadsTheIntegerPartToThePattern) {
  EXPECT_EQ(FormatFixed2(3072, 1, L'.'), L"3072.00");
  EXPECT_EQ(FormatFixed2(12.5L, 4, L'.'), L"0012.50");
  EXPECT_EQ(FormatFixed2(0, 4, L'.'), L"0000.00");
  EXPECT_EQ(FormatFixed2(-3.2L, 4, L'.'), L"-0003.20");
  EXPECT_EQ(FormatFixed2(123456.0L, 4, L'.'), L"123456.00");
}

TEST(FormatFixed2, UsesTheGivenSeparatorWithoutGrouping) {
  EXPECT_EQ(FormatFixed2(1234567.891L, 1, L','), L"1234567,89");
  EXPECT_EQ(FormatFixed2(0.5L, 1, L','), L"0,50");
}

TEST(FormatFixed2, HandlesExtremeMagnitudes) {
  EXPECT_EQ(FormatFixed2(1e20L, 1, L'.'), L"100000000000000000000.00");
  EXPECT_EQ(FormatFixed2(1e-300L, 1, L'.'), L"0.00");
  EXPECT_EQ(FormatFixed2(std::numeric_limits<long double>::infinity(), 1, L'.'), L"INF");
  EXPECT_EQ(FormatFixed2(-std::numeric_limits<long double>::infinity(), 1, L'.'), L"-INF");
  EXPECT_EQ(FormatFixed2(std::numeric_limits<long double>::quiet_NaN(), 1, L'.'), L"NAN");
}
