#include "utilities/LargestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

class LargestFiles : public testing::Test {
 protected:
  void SetUp() override { ResetLargestFiles(); }

  std::vector<std::wstring> SortedPaths() {
    SortLargestFiles();
    std::vector<std::wstring> paths;
    for (int i = 1; i <= LargestFilesCount; ++i) paths.push_back(SortedLargestFile(i).path);
    return paths;
  }
};

using Paths = std::vector<std::wstring>;

}  // namespace

TEST_F(LargestFiles, KeepsTheNLargestLargestFirst) {
  LargestFilesCount = 3;
  const std::int64_t sizes[] = {10, 50, 20, 40, 30, 5};
  for (int i = 0; i < 6; ++i) AddLargestFile(L"f" + std::to_wstring(i), sizes[i]);
  EXPECT_EQ(SortedPaths(), (Paths{L"f1", L"f3", L"f4"}));
  EXPECT_EQ(SortedLargestFile(1).size, 50);
  EXPECT_EQ(SortedLargestFile(3).size, 30);
}

TEST_F(LargestFiles, AFileEqualToTheSmallestKeptOneDoesNotDisplaceIt) {
  LargestFilesCount = 2;
  AddLargestFile(L"big", 100);
  AddLargestFile(L"first", 7);
  AddLargestFile(L"later", 7);
  EXPECT_EQ(SortedPaths(), (Paths{L"big", L"first"}));
}

TEST_F(LargestFiles, EqualKeptSizesAreListedHigherPositionFirst) {
  LargestFilesCount = 3;
  AddLargestFile(L"a", 5);
  AddLargestFile(L"b", 9);
  AddLargestFile(L"c", 5);
  EXPECT_EQ(SortedPaths(), (Paths{L"b", L"c", L"a"}));
}

TEST_F(LargestFiles, TheSmallestOfEqualsIsTheFirstAndIsTheOneReplaced) {
  LargestFilesCount = 3;
  AddLargestFile(L"a", 4);
  AddLargestFile(L"b", 4);
  AddLargestFile(L"c", 4);
  EXPECT_EQ(IndexOfSmallestFile(), 1);
  EXPECT_EQ(IndexOfLargestFile(), 3);
  AddLargestFile(L"d", 6);
  EXPECT_EQ(LargestFile(1).path, L"d");
  EXPECT_EQ(SortedPaths(), (Paths{L"d", L"c", L"b"}));
}

TEST_F(LargestFiles, FewerFilesThanNLeaveEmptyLinesAfterTheFiles) {
  AddLargestFile(L"x", 3);
  AddLargestFile(L"y", 8);
  AddLargestFile(L"z", 1);
  EXPECT_EQ(SortedPaths(), (Paths{L"y", L"x", L"z", L"", L""}));
  EXPECT_EQ(FormatFileSize(5, L'.'), L"0.00 kB");
}

TEST_F(LargestFiles, EmptyFilesAreEachListedOnceAfterTheOthers) {
  AddLargestFile(L"e1", 0);
  AddLargestFile(L"big", 2048);
  AddLargestFile(L"e2", 0);
  AddLargestFile(L"small", 1);
  AddLargestFile(L"e3", 0);
  const Paths sorted = SortedPaths();
  EXPECT_EQ(sorted[0], L"big");
  EXPECT_EQ(sorted[1], L"small");
  EXPECT_EQ(Paths(sorted.begin() + 2, sorted.end()), (Paths{L"e3", L"e2", L"e1"}));
}

TEST_F(LargestFiles, ResetForgetsEverythingAndUsesFive) {
  LargestFilesCount = 20;
  for (int i = 0; i < 30; ++i) AddLargestFile(L"f" + std::to_wstring(i), i);
  SortLargestFiles();
  ResetLargestFiles();
  EXPECT_EQ(LargestFilesCount, 5);
  for (int i = 1; i <= 20; ++i) {
    EXPECT_TRUE(LargestFile(i).path.empty());
    EXPECT_TRUE(SortedLargestFile(i).path.empty());
    EXPECT_EQ(SortedLargestFile(i).size, 0);
  }
}

TEST_F(LargestFiles, CountOfFourUsesFourPositions) {
  LargestFilesCount = 4;
  for (int i = 1; i <= 6; ++i) AddLargestFile(L"f" + std::to_wstring(i), i * 10);
  EXPECT_EQ(SortedPaths(), (Paths{L"f6", L"f5", L"f4", L"f3"}));
}

TEST_F(LargestFiles, SizeTextsChangeUnitAtEachBoundary) {
  const struct {
    std::int64_t bytes;
    const wchar_t* text;
  } cases[] = {{1073741824, L"1.00 GB"},         {1073741823, L"1024.00 MB"}, {1048576, L"1.00 MB"},
               {1048575, L"1024.00 kB"},         {512, L"0.50 kB"},           {0, L"0.00 kB"},
               {3298534883328LL, L"3072.00 GB"}, {1536, L"1.50 kB"}};
  for (const auto& c : cases) {
    ResetLargestFiles();
    LargestFilesCount = 1;
    AddLargestFile(L"f", c.bytes);
    SortLargestFiles();
    EXPECT_EQ(FormatFileSize(1, L'.'), c.text) << c.bytes;
  }
  ResetLargestFiles();
  LargestFilesCount = 1;
  AddLargestFile(L"f", 512);
  SortLargestFiles();
  EXPECT_EQ(FormatFileSize(1, L','), L"0,50 kB");
}

// The search makes a file's path only when the table would keep the file: the answer must be the
// table's own, for every count, tie and empty file.
TEST_F(LargestFiles, WouldKeepAnswersExactlyWhenAddingChangesTheTable) {
  std::mt19937 random(15);
  for (int round = 0; round < 200; ++round) {
    ResetLargestFiles();
    LargestFilesCount = static_cast<std::int8_t>(4 + round % 17);
    std::uniform_int_distribution<std::int64_t> size(0, round % 3 == 0 ? 3 : 1000);  // many ties, or few
    for (int file = 0; file < 60; ++file) {
      std::vector<t_SLF> before;
      for (int i = 1; i <= LargestFilesCount; ++i) before.push_back(LargestFile(i));
      const std::int64_t bytes = size(random);
      const bool wouldKeep = WouldKeepLargestFile(bytes);
      AddLargestFile(L"f" + std::to_wstring(file), bytes);
      bool changed = false;
      for (int i = 1; i <= LargestFilesCount; ++i) changed = changed || LargestFile(i).path != before[i - 1].path;
      ASSERT_EQ(wouldKeep, changed) << "round " << round << ", file " << file << " of " << bytes << " bytes";
    }
  }
}
