#include "utilities/OrderedList.h"

#include <gtest/gtest.h>

TEST(OrderedList, EachSelectedTextRemovesTheFirstEntryEqualToItIgnoringCase) {
  using Entries = std::vector<std::wstring>;
  struct Case {
    Entries entries;
    std::vector<int> selected, removed;
  };
  for (const Case& c : {Case{{L"X", L"Y", L"X"}, {2}, {0}}, Case{{L"a", L"A", L"b"}, {1}, {0}},
                        Case{{L"X", L"Y", L"X"}, {0, 2}, {2, 0}}, Case{{L"a", L"b"}, {}, {}}})
    EXPECT_EQ(PositionsToRemove(c.entries, c.selected), c.removed) << testing::PrintToString(c.entries);
}

TEST(OrderedList, MovesStopAtTheEndsAndWithoutACurrentEntry) {
  struct Case {
    int current, count, direction;
    std::optional<int> target;
  };
  for (const Case& c : {Case{1, 3, -1, 0}, Case{1, 3, +1, 2}, Case{0, 3, -1, {}}, Case{2, 3, +1, {}},
                        Case{-1, 3, +1, {}}, Case{0, 0, +1, {}}})
    EXPECT_EQ(MoveTarget(c.current, c.count, c.direction), c.target) << c.current << " of " << c.count;
}

TEST(OrderedList, RemovingNeedsACurrentEntryAndMovingExactlyOneSelected) {
  struct Case {
    int count, current, selected;
    ListButtonStates states;
  };
  for (const Case& c : {Case{3, 1, 1, {true, true}}, Case{3, 1, 2, {true, false}}, Case{3, 0, 0, {true, false}},
                        Case{0, 0, 0, {false, false}}, Case{3, -1, 0, {false, false}}})
    EXPECT_EQ(ListButtonStatesFor(c.count, c.current, c.selected), c.states) << c.count << " " << c.current;
}
