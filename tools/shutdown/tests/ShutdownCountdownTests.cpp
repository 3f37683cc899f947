#include <gtest/gtest.h>

#include <vector>

#include "tools/shutdown/ShutdownCountdown.h"

namespace {

using Step = ShutdownCountdown::Step;

struct Event {
  enum Kind { Start, Postpone, Stop, Tick } kind;
  std::int64_t at;
  Step step;  // for a tick
  int secondsLeft;
};

}  // namespace

TEST(ShutdownCountdown, StepsAndSecondsLeftOverTime) {
  const struct {
    const char* name;
    std::vector<Event> events;
  } cases[] = {
      {"counts down, requests at zero once",
       {{Event::Tick, 0, Step::Nothing, 0},
        {Event::Start, 1000, {}, 60},
        {Event::Tick, 1999, Step::Count, 59},
        {Event::Tick, 60500, Step::Count, 1},
        {Event::Tick, 60999, Step::Count, 1},
        {Event::Tick, 61000, Step::Request, 0},
        {Event::Tick, 62000, Step::Nothing, 0}}},
      {"a late tick still requests", {{Event::Start, 0, {}, 60}, {Event::Tick, 90000, Step::Request, 0}}},
      {"postponed: hidden until the last minute of ten",
       {{Event::Start, 0, {}, 60},
        {Event::Postpone, 30000, {}, 60},
        {Event::Tick, 569999, Step::Nothing, 60},
        {Event::Tick, 570000, Step::ShowWarning, 60},
        {Event::Tick, 629000, Step::Count, 1},
        {Event::Tick, 630000, Step::Request, 0}}},
      {"stopped: nothing more",
       {{Event::Start, 0, {}, 60}, {Event::Stop, 10000, {}, 50}, {Event::Tick, 70000, Step::Nothing, 0}}},
      {"a clock set back shows 60 at most", {{Event::Start, 50000, {}, 60}, {Event::Tick, 0, Step::Count, 60}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ShutdownCountdown countdown;
    for (const Event& e : c.events) {
      SCOPED_TRACE(e.at);
      switch (e.kind) {
        case Event::Start:
          countdown.Start(e.at);
          break;
        case Event::Postpone:
          countdown.Postpone(e.at);
          break;
        case Event::Stop:
          countdown.Stop();
          break;
        case Event::Tick:
          EXPECT_EQ(countdown.Tick(e.at), e.step);
          break;
      }
      EXPECT_EQ(countdown.SecondsLeft(e.at), e.secondsLeft);
    }
  }
}
