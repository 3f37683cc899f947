#include "utilities/OrderedList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Remove(std::vector<std::wstring> entries, const std::vector<int>& selected) {
  for (int position : PositionsToRemove(entries, selected)) entries.erase(entries.begin() + position);
  return entries;
}

}  // namespace

TEST(OrderedList, EachSelectedTextRemovesTheFirstEntryEqualToItIgnoringCase) {
  using Entries = std::vector<std::wstring>;
  EXPECT_EQ(Remove({L"X", L"Y", L"X"}, {2}), (Entries{L"Y", L"X"}));
  EXPECT_EQ(Remove({L"C:\\a.jpg", L"C:\\A.JPG", L"b"}, {1}), (Entries{L"C:\\A.JPG", L"b"}));
  EXPECT_EQ(Remove({L"X", L"Y", L"X"}, {0, 2}), (Entries{L"Y"}));
  EXPECT_EQ(Remove({L"a", L"b", L"c"}, {0, 1, 2}), Entries{});
  EXPECT_EQ(Remove({L"a", L"b"}, {}), (Entries{L"a", L"b"}));
}

TEST(OrderedList, MovesStopAtTheEndsAndWithoutACurrentEntry) {
  struct Case {
    int current, count, direction;
    std::optional<int> target;
  };
  for (const Case& c : {Case{1, 3, -1, 0}, Case{1, 3, +1, 2}, Case{0, 3, -1, {}}, Case{2, 3, +1, {}},
                        Case{-1, 3, +1, {}}, Case{0, 0, +1, {}}, Case{0, 1, +1, {}}})
    EXPECT_EQ(MoveTarget(c.current, c.count, c.direction), c.target) << c.current << " of " << c.count << " by " << c.direction;
}

TEST(OrderedList, RemovingNeedsACurrentEntryAndMovingExactlyOneSelected) {
  struct Case {
    int count, current, selected;
    ListButtonStates states;
  };
  for (const Case& c : {Case{3, 1, 1, {true, true}}, Case{3, 1, 2, {true, false}}, Case{3, 0, 0, {true, false}},
                        Case{0, 0, 0, {false, false}}, Case{3, -1, 0, {false, false}}})
    EXPECT_EQ(ListButtonStatesFor(c.count, c.current, c.selected), c.states)
        << c.count << " entries, current " << c.current << ", " << c.selected << " selected";
}
