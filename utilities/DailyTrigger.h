#pragma once
#include <cstdint>

// A local date and time as the clock shows it, to the millisecond.
struct LocalTime {
  int year, month, day, hour, minute, second, millisecond;
};

// Milliseconds from 1 January 1970 to the time, counted in local days (no time zone): only the
// difference between two readings means anything.
std::int64_t LocalMilliseconds(const LocalTime& time);

// Milliseconds from `now` to a quarter of a second after the next minute begins: where a timer that
// acts on the minute (hh:mm:00) sets its next event, so that it is never early and at most that late.
std::int64_t MillisecondsToNextMinute(const LocalTime& now);

// Decides, on each event of a timer that runs once an interval, whether the minute of the day it is
// set for has come. A window timer may fire late, so an event fires when the set minute began after
// the previous event (or the arming) and no more than two intervals ago: a late event still catches
// the minute it jumped over, while the first event after a long sleep does not fire for a minute
// long past. Seconds of the set time play no part.
class DailyMinuteTrigger {
 public:
  explicit DailyMinuteTrigger(std::int64_t intervalMilliseconds) : interval_(intervalMilliseconds) {}
  // Counts from now: a set minute that has already begun waits for the next day.
  void Arm(const LocalTime& now) { previous_ = LocalMilliseconds(now); }
  // The timer's event at `now`, for the set hour and minute; true when it fires.
  bool Tick(const LocalTime& now, int hour, int minute);

 private:
  std::int64_t interval_;
  std::int64_t previous_ = 0;
};
