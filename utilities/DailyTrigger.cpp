#include "utilities/DailyTrigger.h"

namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;
constexpr std::int64_t kHour = 60 * kMinute;
constexpr std::int64_t kDay = 24 * kHour;

// Days from 1970-01-01 to the date in the proleptic Gregorian calendar (Howard Hinnant's days_from_civil).
std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::int64_t LocalMilliseconds(const LocalTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * kDay + t.hour * kHour + t.minute * kMinute + t.second * kSecond +
         t.millisecond;
}

std::int64_t MillisecondsToNextMinute(const LocalTime& now) {
  constexpr std::int64_t kPastTheMinute = 250;
  return kMinute - (now.second * kSecond + now.millisecond) + kPastTheMinute;
}

bool DailyMinuteTrigger::Tick(const LocalTime& now, int hour, int minute) {
  const std::int64_t present = LocalMilliseconds(now);
  const std::int64_t previous = previous_;
  previous_ = present;
  // The latest start of the set minute at or before now: today's, or yesterday's when today's is ahead.
  std::int64_t start = DaysFromCivil(now.year, now.month, now.day) * kDay + hour * kHour + minute * kMinute;
  if (start > present) start -= kDay;
  return start > previous && present - start <= 2 * interval_;
}
