#pragma once
#include <cstdint>
#include <random>

// The program's one pseudo-random generator, seeded once at start-up.
class RandomGenerator {
 public:
  void Seed(std::uint32_t seed) { engine_.seed(seed); }
  // A whole number from 0 to n - 1, uniformly distributed; 0 when n is 0.
  std::uint32_t Below(std::uint32_t n);

 private:
  std::mt19937 engine_;
};
