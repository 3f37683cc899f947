#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include "utilities/DailyTrigger.h"

// The local date and time now, for "is it the minute". Tests set the clock instead; an empty reader
// brings the system's back.
LocalTime LocalNow();
using ClockReader = std::function<LocalTime()>;
void SetClockReader(ClockReader reader);

// A file time (FILETIME's count of 100 ns, in UTC) as the local date and time it was.
LocalTime LocalTimeOfFileTime(std::uint64_t fileTime);

// Milliseconds on a clock that a change of the time or of summer time never moves, for countdowns.
// Tests set it instead; an empty reader brings the system's back.
std::int64_t SteadyMilliseconds();
using SteadyClockReader = std::function<std::int64_t()>;
void SetSteadyClockReader(SteadyClockReader reader);

// Holds the thread for the time without handling messages. Tests take the wait instead of sleeping;
// an empty taker brings the real wait back.
void Pause(DWORD milliseconds);
using PauseTaker = std::function<void(DWORD)>;
void SetPauseTaker(PauseTaker taker);
