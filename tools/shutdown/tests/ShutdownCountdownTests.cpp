#include <gtest/gtest.h>

#include "tools/shutdown/ShutdownCountdown.h"

using Step = ShutdownCountdown::Step;

TEST(ShutdownCountdown, StepsAndSecondsLeftAfterAStartAtZero) {
  enum class Then { Tick, PostponeAt30s, StopAt30s };
  const struct {
    Then then;
    std::int64_t tickAt;
    Step step;
    int secondsLeft;
  } rows[] = {
      {Then::Tick, 999, Step::Count, 60},
      {Then::Tick, 1000, Step::Count, 59},
      {Then::Tick, 59001, Step::Count, 1},
      {Then::Tick, 60000, Step::Request, 0},
      {Then::Tick, 90000, Step::Request, 0},
      {Then::PostponeAt30s, 569999, Step::Nothing, 60},
      {Then::PostponeAt30s, 570000, Step::ShowWarning, 60},
      {Then::PostponeAt30s, 600000, Step::ShowWarning, 30},
      {Then::StopAt30s, 60000, Step::Nothing, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tickAt);
    ShutdownCountdown countdown;
    countdown.Start(0);
    if (row.then == Then::PostponeAt30s) countdown.Postpone(30000);
    if (row.then == Then::StopAt30s) countdown.Stop();
    EXPECT_EQ(countdown.Tick(row.tickAt), row.step);
    EXPECT_EQ(countdown.SecondsLeft(row.tickAt), row.secondsLeft);
    if (row.step != Step::Request) continue;
    EXPECT_EQ(countdown.Tick(row.tickAt + 1000), Step::Nothing);  // a request comes once
  }
}
