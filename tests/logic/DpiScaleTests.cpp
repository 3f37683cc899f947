#include <gtest/gtest.h>

#include <climits>

#include "utilities/DpiScale.h"

TEST(DpiScale, LengthsOfTheLayoutScaleToTheNearestPixel) {
  struct Case {
    int length, dpi, expected;
  };
  const Case cases[] = {
      {598, 96, 598},        {418, 96, 418},  {11, 96, 11},    {0, 144, 0},
      {598, 120, 748},       {418, 120, 523}, {11, 120, 14},   {13, 120, 16},  // 13.75 and 16.25
      {598, 144, 897},       {418, 144, 627}, {11, 144, 17},   {3, 144, 5},    // 16.5 and 4.5 round up
      {598, 192, 1196},      {418, 192, 836}, {11, 192, 22},   {1, 192, 2},
      {1, 120, 1},           {2, 120, 3},     {5, 72, 4},      {1, 48, 1},    // 1.25, 2.5, 3.75, 0.5
      {-3, 144, -5},         {-1, 120, -1},   {-11, 120, -14}, {-2, 48, -1},  // halves away from zero
      {100000, 288, 300000},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScaleToDpi(c.length, c.dpi), c.expected) << c.length << " at " << c.dpi << " DPI";
}

TEST(DpiScale, AnUnknownDpiLeavesTheLengthAsItIs) {
  const int dpis[] = {0, -96};
  for (const int dpi : dpis) EXPECT_EQ(ScaleToDpi(42, dpi), 42) << dpi;
}

TEST(DpiScale, TheLargestLengthsDoNotOverflow) {
  EXPECT_EQ(ScaleToDpi(INT_MAX / 2, 192), INT_MAX - 1);
  EXPECT_EQ(ScaleToDpi(INT_MIN / 2, 192), INT_MIN);
}

TEST(DpiScale, AScreenTakesThePictureFrameNearestItsScale) {
  struct Case {
    int dpi, frame;
  };
  const Case cases[] = {
      {96, 0},  {72, 0},  {107, 0}, {108, 1},  // 108 lies halfway: the larger frame
      {120, 1}, {132, 2}, {144, 2}, {168, 3},  // 175 % is as near 150 as 200 %
      {192, 3}, {288, 3}, {0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(PictureFrameForDpi(c.dpi), c.frame) << c.dpi << " DPI";
}

// A window moved to a screen of another DPI is laid out again from the lengths its controls were
// scaled from: at 96 DPI and above every length comes back as it was.
TEST(DpiScale, ScaledLengthsGiveBackTheLayoutsLengths) {
  const int dpis[] = {96, 110, 120, 144, 168, 192, 240, 288};
  for (const int dpi : dpis)
    for (int length = -600; length <= 1200; ++length)
      ASSERT_EQ(LayoutLength(ScaleToDpi(length, dpi), dpi), length) << length << " at " << dpi << " DPI";
  EXPECT_EQ(LayoutLength(42, 0), 42);
}
