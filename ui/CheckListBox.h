#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/Controls.h"

// A list box whose items each carry a two-state check mark. A click on an item's box or the space bar
// on the selected item changes the mark and sends WM_COMMAND with kCheckListMarkChanged to the parent.
// Items are kept in alphabetical order ignoring letter case, or in the order they were added. The
// parent passes WM_DRAWITEM of the list to DrawCheckListItem.
constexpr WORD kCheckListMarkChanged = 0x4000;

enum class ItemOrder { Alphabetical, AsAdded };

HWND CreateCheckListBox(HWND parent, Bounds bounds, int id, HFONT font, int itemHeight,
                        ItemOrder order = ItemOrder::Alphabetical);
int AddCheckListItem(HWND list, const std::wstring& text);
// Adds the items with one mark, in one batch: the list is drawn once at the end, not at each item.
void AddCheckListItems(HWND list, const std::vector<std::wstring>& texts, bool checked);
bool IsItemChecked(HWND list, int index);
void SetItemChecked(HWND list, int index, bool checked);
bool IsCheckListBox(HWND window);
void DrawCheckListItem(const DRAWITEMSTRUCT& item);
