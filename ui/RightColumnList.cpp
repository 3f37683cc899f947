#include "ui/RightColumnList.h"

#include <algorithm>
#include <string>

#include "platform/Dpi.h"
#include "utilities/DpiScale.h"

namespace {

constexpr wchar_t kRightColumnMarker[] = L"QuoxelRightColumnList";
constexpr int kTextMargin = 2;  // between the list's edges and what is drawn, in the 96-DPI layout

struct SplitItem {
  std::wstring text, figure;
};

SplitItem SplitAtTab(const std::wstring& item) {
  const std::size_t tab = item.find(L'\t');
  if (tab == std::wstring::npos) return {item, L""};
  return {item.substr(0, tab), item.substr(tab + 1)};
}

HFONT FontOf(HWND list) { return reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)); }

int WidestFigure(HWND list) {
  const HFONT font = FontOf(list);
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  int widest = 0;
  for (int i = 0; i < count; ++i)
    widest = std::max(widest, static_cast<int>(TextExtent(font, SplitAtTab(ListBoxText(list, i)).figure).cx));
  return widest;
}

}  // namespace

HWND CreateRightColumnList(HWND parent, DWORD style, Bounds bounds, HFONT font, DWORD exStyle) {
  const HWND list = CreateChild(parent, L"LISTBOX", L"", style | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, bounds, 0, font,
                                exStyle);
  SetPropW(list, kRightColumnMarker, reinterpret_cast<HANDLE>(1));
  return list;
}

bool IsRightColumnList(HWND window) { return GetPropW(window, kRightColumnMarker) != nullptr; }

RECT RightColumn(HWND list) {
  RECT client;
  GetClientRect(list, &client);
  client.right -= ScaleToDpi(kTextMargin, WindowDpi(list));
  client.left = client.right - WidestFigure(list);
  return client;
}

void DrawRightColumnItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const HWND list = item.hwndItem;
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const SplitItem split = SplitAtTab(ListBoxText(list, static_cast<int>(item.itemID)));
  const RECT column = RightColumn(list);
  const UINT line = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  RECT figure{column.left, item.rcItem.top, column.right, item.rcItem.bottom};
  DrawTextW(item.hDC, split.figure.c_str(), -1, &figure, line | DT_RIGHT);
  RECT text{item.rcItem.left + ScaleToDpi(kTextMargin, WindowDpi(list)), item.rcItem.top, column.left,
            item.rcItem.bottom};
  DrawTextW(item.hDC, split.text.c_str(), -1, &text, line | DT_PATH_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}
