#include "tools/shutdown/ShutdownFlags.h"

namespace {

constexpr std::uint32_t kReboot = 0x2, kForce = 0x4, kPowerOff = 0x8;

}  // namespace

std::uint32_t ShutdownFlags(ShutdownChoice choice) {
  return (choice == ShutdownChoice::PowerOff ? kPowerOff : kReboot) | kForce;
}
