#include <gtest/gtest.h>

#include <vector>

#include "utilities/DailyTrigger.h"

namespace {

constexpr std::int64_t kInterval = 60000;

LocalTime At(int day, int hour, int minute, int second, int millisecond = 0) {
  return LocalTime{2026, 12, day, hour, minute, second, millisecond};
}

struct TriggerCase {
  const char* what;
  LocalTime armed;
  int hour, minute;
  std::vector<LocalTime> ticks;
  std::vector<bool> fires;
};

}  // namespace

TEST(DailyMinuteTrigger, FiresOnlyOnTheTickThatCatchesTheSetMinute) {
  const TriggerCase cases[] = {
      {"armed before the minute", At(7, 7, 29, 30), 7, 30, {At(7, 7, 30, 30), At(7, 7, 31, 30)}, {true, false}},
      {"armed during the minute waits a day", At(7, 7, 30, 10), 7, 30,
       {At(7, 7, 31, 10), At(8, 7, 29, 10), At(8, 7, 30, 10)}, {false, false, true}},
      {"the picker's seconds play no part", At(7, 22, 59, 40), 23, 0, {At(7, 23, 0, 40)}, {true}},
      {"a tick on the minute's first millisecond", At(7, 7, 29, 0), 7, 30,
       {At(7, 7, 30, 0), At(7, 7, 31, 0)}, {true, false}},
      {"a tick 20 s late across the minute", At(7, 7, 28, 59), 7, 30,
       {At(7, 7, 29, 59), At(7, 7, 31, 19), At(7, 7, 32, 19)}, {false, true, false}},
      {"a minute of yesterday, past midnight", At(7, 23, 59, 30), 23, 59, {At(8, 0, 0, 30)}, {false}},
      {"midnight across the date change", At(7, 23, 59, 30), 0, 0, {At(8, 0, 0, 30)}, {true}},
      {"after a sleep through the minute", At(7, 22, 30, 0), 23, 0, {At(8, 8, 0, 0), At(8, 8, 1, 0)}, {false, false}},
      {"two intervals late is still caught", At(7, 7, 29, 59, 999), 7, 30, {At(7, 7, 32, 0)}, {true}},
      {"past two intervals is lost", At(7, 7, 29, 59, 999), 7, 30, {At(7, 7, 32, 0, 1)}, {false}},
  };
  for (const TriggerCase& c : cases) {
    DailyMinuteTrigger trigger(kInterval);
    trigger.Arm(c.armed);
    for (size_t i = 0; i < c.ticks.size(); ++i)
      EXPECT_EQ(trigger.Tick(c.ticks[i], c.hour, c.minute), c.fires[i]) << c.what << ", tick " << i;
  }
}

TEST(LocalMilliseconds, CountsAcrossMonthsAndLeapYears) {
  EXPECT_EQ(LocalMilliseconds({1970, 1, 1, 0, 0, 0, 0}), 0);
  EXPECT_EQ(LocalMilliseconds({2024, 3, 1, 0, 0, 0, 0}) - LocalMilliseconds({2024, 2, 28, 0, 0, 0, 0}),
            2 * 86400000LL);
  EXPECT_EQ(LocalMilliseconds({2027, 1, 1, 0, 0, 0, 0}) - LocalMilliseconds({2026, 12, 31, 23, 59, 59, 999}), 1);
}
