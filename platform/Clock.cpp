#include "platform/Clock.h"

namespace {
ClockReader g_clock;
SteadyClockReader g_steadyClock;
PauseTaker g_pause;
}  // namespace

void SetClockReader(ClockReader reader) { g_clock = std::move(reader); }

LocalTime LocalNow() {
  if (g_clock) return g_clock();
  SYSTEMTIME t;
  GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

// The zone's rule of the file's own day, summer time included, as Explorer shows a file's date.
LocalTime LocalTimeOfFileTime(std::uint64_t fileTime) {
  const FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
  SYSTEMTIME universal{}, t{};
  if (!FileTimeToSystemTime(&utc, &universal) || !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &t)) return {};
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

void SetSteadyClockReader(SteadyClockReader reader) { g_steadyClock = std::move(reader); }

std::int64_t SteadyMilliseconds() {
  if (g_steadyClock) return g_steadyClock();
  return static_cast<std::int64_t>(GetTickCount64());
}

void SetPauseTaker(PauseTaker taker) { g_pause = std::move(taker); }

void Pause(DWORD milliseconds) {
  if (g_pause) {
    g_pause(milliseconds);
    return;
  }
  Sleep(milliseconds);
}
