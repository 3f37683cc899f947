#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"

// A list box whose items each carry a two-state check mark. A click on an item's box or the space bar
// on the selected item changes the mark and sends WM_COMMAND with kCheckListMarkChanged to the parent.
// Items are kept in alphabetical order ignoring letter case, or in the order they were added. An item
// may carry a figure (a file's size), drawn right-aligned in a column at the row's right edge as the
// right-column list draws it, and not part of its text. The parent passes WM_DRAWITEM of the list to
// DrawCheckListItem.
constexpr WORD kCheckListMarkChanged = 0x4000;

enum class ItemOrder { Alphabetical, AsAdded };

HWND CreateCheckListBox(HWND parent, Bounds bounds, int id, HFONT font, int itemHeight,
                        ItemOrder order = ItemOrder::Alphabetical);
// Adds the items in one batch, each marked when `isChecked` says so: the list is drawn once at the end,
// not at each item.
void AddCheckListItems(HWND list, const std::vector<std::wstring>& texts,
                       const std::function<bool(const std::wstring& text)>& isChecked);
// The same, each item with the figure of the same place in `figures` (as many as the texts).
void AddCheckListItems(HWND list, const std::vector<std::wstring>& texts,
                       const std::function<bool(const std::wstring& text)>& isChecked,
                       const std::vector<std::wstring>& figures);
// The figure of the item; empty when it has none.
std::wstring CheckListFigure(HWND list, int index);
bool IsItemChecked(HWND list, int index);
void SetItemChecked(HWND list, int index, bool checked);
bool IsCheckListBox(HWND window);
void DrawCheckListItem(const DRAWITEMSTRUCT& item);
