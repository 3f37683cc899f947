#pragma once
#include <optional>
#include <string>
#include <vector>

// The rules of an ordered file list (the renamer's files, the wallpaper pictures): entries in the
// user's order, duplicates allowed.

// The positions to delete when the selected entries are removed, highest first: each selected entry's
// text, in list order, takes the first entry still there that equals it ignoring letter case, so of
// "X, Y, X" with only the last selected, the first X goes.
std::vector<int> PositionsToRemove(const std::vector<std::wstring>& entries, const std::vector<int>& selected);

// Where the entry at `current` goes when moved one place up (-1) or down (+1): the neighbour's
// position, or nothing at an end of the list or when there is no current entry (-1).
std::optional<int> MoveTarget(int current, int count, int direction);

// Which of the list's buttons can act: removing needs a current entry in a non-empty list, moving
// needs a current entry and exactly one selected.
struct ListButtonStates {
  bool remove = false;
  bool move = false;
  bool operator==(const ListButtonStates& other) const { return remove == other.remove && move == other.move; }
};
ListButtonStates ListButtonStatesFor(int count, int current, int selectedCount);
