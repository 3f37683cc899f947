#include <gtest/gtest.h>

#include <vector>

#include "utilities/DailyTrigger.h"

namespace {

LocalTime At(int day, int hour, int minute, int second, int millisecond = 0) {
  return LocalTime{2026, 12, day, hour, minute, second, millisecond};
}

}  // namespace

TEST(DailyMinuteTrigger, FiresOnlyOnTheTickThatCatchesTheSetMinute) {
  const struct {
    const char* what;
    LocalTime armed;
    int hour, minute;
    std::vector<LocalTime> ticks;
    std::vector<bool> fires;
  } cases[] = {
      {"armed before the minute", At(7, 7, 29, 30), 7, 30, {At(7, 7, 30, 30), At(7, 7, 31, 30)}, {true, false}},
      {"armed during the minute waits a day",
       At(7, 7, 30, 10),
       7,
       30,
       {At(7, 7, 31, 10), At(8, 7, 29, 10), At(8, 7, 30, 10)},
       {false, false, true}},
      {"a tick 20 s late across the minute",
       At(7, 7, 28, 59),
       7,
       30,
       {At(7, 7, 29, 59), At(7, 7, 31, 19), At(7, 7, 32, 19)},
       {false, true, false}},
      {"yesterday's minute, just past midnight", At(7, 23, 59, 30), 23, 59, {At(8, 0, 0, 30)}, {false}},
      {"midnight at a leap month's end", {2028, 2, 29, 23, 59, 30, 0}, 0, 0, {{2028, 3, 1, 0, 0, 30, 0}}, {true}},
      {"after a sleep through the minute", At(7, 22, 30, 0), 23, 0, {At(8, 8, 0, 0), At(8, 8, 1, 0)}, {false, false}},
      {"two intervals late is still caught", At(7, 7, 29, 59, 999), 7, 30, {At(7, 7, 32, 0)}, {true}},
      {"past two intervals is lost", At(7, 7, 29, 59, 999), 7, 30, {At(7, 7, 32, 0, 1)}, {false}},
  };
  for (const auto& c : cases) {
    DailyMinuteTrigger trigger(60000);
    trigger.Arm(c.armed);
    for (size_t i = 0; i < c.ticks.size(); ++i)
      EXPECT_EQ(trigger.Tick(c.ticks[i], c.hour, c.minute), c.fires[i]) << c.what << ", tick " << i;
  }
}

TEST(MillisecondsToNextMinute, LandsJustAfterTheNextMinuteBeginsFromAnyPointOfThisOne) {
  const struct {
    int second, millisecond;
    std::int64_t wait;
  } rows[] = {{0, 0, 60250}, {0, 250, 60000}, {30, 0, 30250}, {59, 999, 251}, {59, 750, 500}};
  for (const auto& row : rows)
    EXPECT_EQ(MillisecondsToNextMinute({2026, 12, 31, 23, 59, row.second, row.millisecond}), row.wait)
        << row.second << "." << row.millisecond;
}
