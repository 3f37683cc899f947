#pragma once
#include <windows.h>

#include <string>

#include "ui/Controls.h"

// A list box whose items read "text<tab>figure" (a file's path and its size): the figures stand
// right-aligned in a column at the list's right edge, as wide as the widest of them in the list's font
// at the time, and each text before it is shortened with an ellipsis where it would reach the column.
// The items keep their whole text. Every item is measured at each drawing: it suits lists of tens of
// items. The parent passes WM_DRAWITEM of the list to DrawRightColumnItem.
HWND CreateRightColumnList(HWND parent, DWORD style, Bounds bounds, HFONT font, DWORD exStyle = 0);
bool IsRightColumnList(HWND window);
void DrawRightColumnItem(const DRAWITEMSTRUCT& item);
// The column the figures are drawn in, across the list's client area.
RECT RightColumn(HWND list);

// Draws a row's text and figure in the area, in the colours selected: the figure right-aligned in a
// column `figureWidth` wide at the area's right edge, the text from its left edge, shortened with an
// ellipsis where it would reach the column. Every list that shows figures draws its rows with it.
void DrawTextAndFigure(HWND list, HDC dc, RECT area, const std::wstring& text, const std::wstring& figure,
                       int figureWidth);
