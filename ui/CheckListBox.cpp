#include "ui/CheckListBox.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include "ui/RightColumnList.h"

namespace {

constexpr wchar_t kCheckListMarker[] = L"QuoxelCheckList";

// The list box class's own procedure, which the check lists' procedure passes their messages on to. It
// replaces the procedure directly rather than through the common controls' subclass chain: that chain
// looks its data up in a window property at every message, which under Wine is a round trip to the
// Wine server (a list of 20 000 files took 7 s to fill instead of 30 ms).
WNDPROC listBoxProcedure = nullptr;

// The items' figures in the items' order and the width of the widest in the list's font, measured
// once for a list of thousands rather than at each drawing (-1: to measure again).
struct Figures {
  std::vector<std::wstring> texts;
  int widest = -1;
};
constexpr wchar_t kFiguresProperty[] = L"QuoxelCheckListFigures";

Figures* FiguresOf(HWND list) { return static_cast<Figures*>(GetPropW(list, kFiguresProperty)); }

// Keeps the figures in step with the items the list box removes, and their width with its font. Only
// these messages look the figures up: a property costs a round trip to the Wine server, and a list is
// filled with thousands of messages.
void FollowItemChange(HWND list, UINT message, WPARAM wParam) {
  if (message != LB_RESETCONTENT && message != LB_DELETESTRING && message != WM_SETFONT && message != WM_NCDESTROY)
    return;
  Figures* figures = FiguresOf(list);
  if (!figures) return;
  if (message == LB_RESETCONTENT) figures->texts.clear();
  if (message == LB_DELETESTRING && wParam < figures->texts.size())
    figures->texts.erase(figures->texts.begin() + static_cast<std::ptrdiff_t>(wParam));
  if (message == LB_RESETCONTENT || message == LB_DELETESTRING || message == WM_SETFONT) figures->widest = -1;
  if (message == WM_NCDESTROY) delete static_cast<Figures*>(RemovePropW(list, kFiguresProperty));
}

int FigureWidth(HWND list) {
  Figures* figures = FiguresOf(list);
  if (!figures || figures->texts.empty()) return 0;
  if (figures->widest < 0)
    figures->widest = WidestTextWidth(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), figures->texts);
  return figures->widest;
}

int BoxWidth(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)); }

void ToggleAndNotify(HWND list, int index) {
  if (index < 0 || index >= SendMessageW(list, LB_GETCOUNT, 0, 0)) return;
  SetItemChecked(list, index, !IsItemChecked(list, index));
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), kCheckListMarkChanged),
               reinterpret_cast<LPARAM>(list));
}

LRESULT PassOn(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(listBoxProcedure, list, message, wParam, lParam);
}

LRESULT CALLBACK CheckListInput(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  FollowItemChange(list, message, wParam);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {  // a quick second click on a box is a click too, not a lost one
      const LRESULT result = PassOn(list, message, wParam, lParam);  // selects the item first
      const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
      if (!HIWORD(hit) && static_cast<short>(LOWORD(lParam)) < BoxWidth(list)) ToggleAndNotify(list, LOWORD(hit));
      return result;
    }
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        ToggleAndNotify(list, static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)));
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L' ') return 0;  // not a search for items starting with a space
      break;
    case WM_NCDESTROY:
      RemovePropW(list, kCheckListMarker);
      break;
  }
  return PassOn(list, message, wParam, lParam);
}

void DrawCheckBox(HWND list, HDC dc, RECT box, bool checked) {
  if (HTHEME theme = OpenThemeData(list, L"BUTTON")) {
    DrawThemeBackground(theme, dc, BP_CHECKBOX, checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, &box, nullptr);
    CloseThemeData(theme);
    return;
  }
  DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
}

}  // namespace

HWND CreateCheckListBox(HWND parent, Bounds bounds, int id, HFONT font, int itemHeight, ItemOrder order) {
  const DWORD sorted = order == ItemOrder::Alphabetical ? LBS_SORT : 0;
  HWND list = CreateChild(
      parent, L"LISTBOX", L"",
      WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | sorted | LBS_NOINTEGRALHEIGHT,
      bounds, id, font, WS_EX_CLIENTEDGE);
  SetItemHeight(list, LB_SETITEMHEIGHT, itemHeight);
  SetPropW(list, kCheckListMarker, reinterpret_cast<HANDLE>(1));
  listBoxProcedure =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CheckListInput)));
  return list;
}

void AddCheckListItems(HWND list, const std::vector<std::wstring>& texts,
                       const std::function<bool(const std::wstring& text)>& isChecked) {
  AddCheckListItems(list, texts, isChecked, {});
}

void AddCheckListItems(HWND list, const std::vector<std::wstring>& texts,
                       const std::function<bool(const std::wstring& text)>& isChecked,
                       const std::vector<std::wstring>& figures) {
  Figures* kept = FiguresOf(list);
  if (!figures.empty() && !kept) {
    kept = new Figures;
    SetPropW(list, kFiguresProperty, kept);
  }
  std::size_t next = 0;
  // The index is where the item went, the list being sorted or not; the mark and the figure follow
  // the item after.
  AddListBoxItems(list, texts, [&](int index, const std::wstring& text) {
    SendMessageW(list, LB_SETITEMDATA, index, isChecked(text) ? 1 : 0);
    if (kept) kept->texts.insert(kept->texts.begin() + index, next < figures.size() ? figures[next] : L"");
    ++next;
  });
  if (kept) kept->widest = -1;
}

std::wstring CheckListFigure(HWND list, int index) {
  const Figures* figures = FiguresOf(list);
  if (!figures || index < 0 || static_cast<std::size_t>(index) >= figures->texts.size()) return L"";
  return figures->texts[static_cast<std::size_t>(index)];
}

bool IsItemChecked(HWND list, int index) { return SendMessageW(list, LB_GETITEMDATA, index, 0) == 1; }

void SetItemChecked(HWND list, int index, bool checked) {
  SendMessageW(list, LB_SETITEMDATA, index, checked ? 1 : 0);
  RECT rect;
  if (SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != LB_ERR)
    InvalidateRect(list, &rect, FALSE);
}

bool IsCheckListBox(HWND window) { return GetPropW(window, kCheckListMarker) != nullptr; }

void DrawCheckListItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  HWND list = item.hwndItem;
  const bool selected = item.itemState & ODS_SELECTED;
  RECT rect = item.rcItem;
  const int boxWidth = BoxWidth(list);
  FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_WINDOW));
  RECT box{rect.left + 1, rect.top + 1, rect.left + boxWidth - 1, rect.bottom - 1};
  DrawCheckBox(list, item.hDC, box, item.itemData == 1);
  RECT text{rect.left + boxWidth + 1, rect.top, rect.right, rect.bottom};
  FillRect(item.hDC, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const int index = static_cast<int>(item.itemID);
  DrawTextAndFigure(list, item.hDC, text, ListBoxText(list, index), CheckListFigure(list, index), FigureWidth(list));
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &text);
}
