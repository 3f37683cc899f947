#include "utilities/RandomGenerator.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RandomGenerator, DrawsEveryValueBelowTheBoundAndNothingElse) {
  RandomGenerator generator;
  generator.Seed(12345);
  std::vector<int> counts(7, 0);
  for (int i = 0; i < 7000; ++i) {
    const auto value = generator.Below(7);
    ASSERT_LT(value, 7u);
    ++counts[value];
  }
  for (int count : counts) EXPECT_GT(count, 800);  // about 1000 each
  EXPECT_EQ(generator.Below(1), 0u);
  EXPECT_EQ(generator.Below(0), 0u);
}

TEST(RandomGenerator, TheSameSeedGivesTheSameDraws) {
  RandomGenerator a, b;
  a.Seed(77);
  b.Seed(77);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(a.Below(1000), b.Below(1000));
}
