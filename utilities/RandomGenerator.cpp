#include "utilities/RandomGenerator.h"

std::uint32_t RandomGenerator::Below(std::uint32_t n) {
  if (n == 0) return 0;
  return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(engine_);
}
