#include "utilities/OrderedList.h"

#include <algorithm>
#include <cwctype>

namespace {

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towupper(static_cast<wint_t>(x)) == std::towupper(static_cast<wint_t>(y));
         });
}

}  // namespace

std::vector<int> PositionsToRemove(const std::vector<std::wstring>& entries, const std::vector<int>& selected) {
  std::vector<bool> removed(entries.size(), false);
  std::vector<int> positions;
  for (int index : selected) {
    const std::wstring& text = entries[static_cast<size_t>(index)];
    for (size_t i = 0; i < entries.size(); ++i) {
      if (!removed[i] && EqualIgnoringCase(entries[i], text)) {
        removed[i] = true;
        positions.push_back(static_cast<int>(i));
        break;
      }
    }
  }
  std::sort(positions.rbegin(), positions.rend());
  return positions;
}

std::optional<int> MoveTarget(int current, int count, int direction) {
  const int target = current + direction;
  if (current < 0 || current >= count || target < 0 || target >= count) return std::nullopt;
  return target;
}

ListButtonStates ListButtonStatesFor(int count, int current, int selectedCount) {
  const bool hasCurrent = count > 0 && current >= 0;
  return {hasCurrent, hasCurrent && selectedCount == 1};
}
