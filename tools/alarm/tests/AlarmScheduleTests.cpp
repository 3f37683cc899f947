#include "tools/alarm/AlarmSchedule.h"

#include <gtest/gtest.h>

// 7 to 13 December 2026 is a Monday to a Sunday; 29 February 2024 a Thursday, 1 January 2000 a Saturday.
TEST(AlarmSchedule, EachRepeatRingsOnItsDays) {
  const struct {
    int year, month, day;
    int weekday;
    bool everyDay, weekdays, weekends;
  } days[] = {
      {2026, 12, 7, 1, true, true, false},  {2026, 12, 8, 2, true, true, false},  {2026, 12, 9, 3, true, true, false},
      {2026, 12, 10, 4, true, true, false}, {2026, 12, 11, 5, true, true, false}, {2026, 12, 12, 6, true, false, true},
      {2026, 12, 13, 0, true, false, true}, {2024, 2, 29, 4, true, true, false},  {2000, 1, 1, 6, true, false, true},
  };
  for (const auto& d : days) {
    SCOPED_TRACE(testing::Message() << d.year << "-" << d.month << "-" << d.day);
    EXPECT_EQ(DayOfWeek(d.year, d.month, d.day), d.weekday);
    EXPECT_EQ(RingsOn(AlarmRepeat::EveryDay, d.year, d.month, d.day), d.everyDay);
    EXPECT_EQ(RingsOn(AlarmRepeat::Weekdays, d.year, d.month, d.day), d.weekdays);
    EXPECT_EQ(RingsOn(AlarmRepeat::Weekends, d.year, d.month, d.day), d.weekends);
    EXPECT_TRUE(RingsOn(AlarmRepeat::Once, d.year, d.month, d.day));
  }
}

TEST(AlarmSchedule, SnoozeLengthsAndTheMinuteTheyEndAt) {
  const struct {
    int minutes;
    bool listed;
    int from, to;
  } cases[] = {{5, true, 7 * 60 + 30, 7 * 60 + 35},
               {10, true, 7 * 60 + 30, 7 * 60 + 40},
               {15, true, 23 * 60 + 50, 5},
               {20, true, 0, 20},
               {30, true, 23 * 60 + 30, 0},
               {0, false, 0, 0},
               {25, false, 60, 85}};
  for (const auto& c : cases) {
    EXPECT_EQ(IsSnoozeLength(c.minutes), c.listed) << c.minutes;
    EXPECT_EQ(MinuteOfDayAfter(c.from, c.minutes), c.to) << c.minutes;
  }
}
