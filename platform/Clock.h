#pragma once
#include <windows.h>

#include <functional>

#include "utilities/DailyTrigger.h"

// The local date and time now. Tests set the clock instead; an empty reader brings the system's back.
LocalTime LocalNow();
using ClockReader = std::function<LocalTime()>;
void SetClockReader(ClockReader reader);

// Holds the thread for the time without handling messages. Tests take the wait instead of sleeping;
// an empty taker brings the real wait back.
void Pause(DWORD milliseconds);
using PauseTaker = std::function<void(DWORD)>;
void SetPauseTaker(PauseTaker taker);
