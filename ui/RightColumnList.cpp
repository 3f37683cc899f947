#include "ui/RightColumnList.h"

#include <string>
#include <vector>

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
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  std::vector<std::wstring> figures;
  for (int i = 0; i < count; ++i) figures.push_back(SplitAtTab(ListBoxText(list, i)).figure);
  return WidestTextWidth(FontOf(list), figures);
}

int Margin(HWND list) { return ScaleToDpi(kTextMargin, WindowDpi(list)); }

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
  client.right -= Margin(list);
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
  DrawTextAndFigure(list, item.hDC, item.rcItem, split.text, split.figure, WidestFigure(list));
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void DrawTextAndFigure(HWND list, HDC dc, RECT area, const std::wstring& text, const std::wstring& figure,
                       int figureWidth) {
  const int margin = Margin(list);
  const UINT line = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  RECT column{area.right - margin - figureWidth, area.top, area.right - margin, area.bottom};
  DrawTextW(dc, figure.c_str(), -1, &column, line | DT_RIGHT);
  RECT before{area.left + margin, area.top, column.left, area.bottom};
  DrawTextW(dc, text.c_str(), -1, &before, line | DT_PATH_ELLIPSIS);
}
