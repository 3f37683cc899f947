#pragma once
#include <cstdint>

// What the timed shutdown asks of the system at its time.
enum class ShutdownChoice { PowerOff, Reboot };

// The ExitWindowsEx flags of the choice: power off (8) or reboot (2), forcing programs to close (4).
std::uint32_t ShutdownFlags(ShutdownChoice choice);
// The log-off request that follows either, for when the system refused the first.
constexpr std::uint32_t kLogOffFlags = 0;
