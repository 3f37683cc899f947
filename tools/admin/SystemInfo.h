#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The system overview of the administration page, from the figures the system gives.

struct MemoryFigures {
  std::uint32_t loadPercent;
  std::uint64_t totalPhysical, availablePhysical;  // bytes
  std::uint64_t totalPageFile, availablePageFile;  // bytes
};

// The nine lines: memory load, the four memory figures in whole megabytes, the clock estimate.
std::vector<std::wstring> SystemInfoLines(const MemoryFigures& memory, double clockMHz, wchar_t decimalSeparator);

// Processor ticks counted over half a second, as megahertz (all 64 bits of the count).
double ClockFromTicks(std::uint64_t ticksInHalfASecond);
