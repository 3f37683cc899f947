#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The executable file names of the running processes as Tool Help reports them, in its order; empty
// when Tool Help is missing from kernel32.dll or the snapshot fails.
std::vector<std::wstring> RunningProcessNames();

// The system's memory status (64-bit figures).
MEMORYSTATUSEX MemoryStatus();

// Processor time-stamp ticks over a half-second sleep, counted at real-time priority; the priorities
// are normal again afterwards. Tests replace the measurement, which holds the thread half a second.
std::uint64_t CountTicksOverHalfASecond();
using TickCounter = std::function<std::uint64_t()>;
void SetTickCounter(TickCounter counter);

// Equal ignoring letter case by the user locale's comparison.
bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b);
