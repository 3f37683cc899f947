#include "platform/Clock.h"

namespace {
ClockReader g_clock;
PauseTaker g_pause;
}  // namespace

void SetClockReader(ClockReader reader) { g_clock = std::move(reader); }

LocalTime LocalNow() {
  if (g_clock) return g_clock();
  SYSTEMTIME t;
  GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

void SetPauseTaker(PauseTaker taker) { g_pause = std::move(taker); }

void Pause(DWORD milliseconds) {
  if (g_pause) {
    g_pause(milliseconds);
    return;
  }
  Sleep(milliseconds);
}
