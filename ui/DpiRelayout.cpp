#include "ui/DpiRelayout.h"

#include <commctrl.h>

#include <string>

#include "platform/Fonts.h"
#include "ui/Controls.h"
#include "ui/Page.h"
#include "utilities/DpiScale.h"

HFONT RescaledFonts::For(HFONT font) {
  if (!font) return nullptr;
  const auto found = replacements_.find(font);
  if (found != replacements_.end()) return found->second;
  made_.push_back(RescaledFont(font, fromDpi_, toDpi_));
  return replacements_[font] = made_.back().Get();
}

namespace {

struct Relayout {
  int fromDpi, toDpi;
  RescaledFonts& fonts;
};

int Rescaled(int pixels, const Relayout& relayout) {
  return ScaleToDpi(LayoutLength(pixels, relayout.fromDpi), relayout.toDpi);
}

// The window's rectangle in its parent; a combo box's with its list dropped, the height it was made with.
RECT PlaceInParent(HWND window) {
  RECT rect;
  const bool combo = IsWindowOfClass(window, WC_COMBOBOXW);
  if (!combo || !SendMessageW(window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rect)))
    GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveToNewScale(HWND window, const Relayout& relayout) {
  const RECT old = PlaceInParent(window);
  const int left = Rescaled(old.left, relayout), top = Rescaled(old.top, relayout);
  int width = Rescaled(old.right, relayout) - left;
  int height = Rescaled(old.bottom, relayout) - top;
  const bool label = IsWindowOfClass(window, L"STATIC");
  const bool fitsItsText = label && (GetWindowLongW(window, GWL_STYLE) & SS_NOTIFY);  // made by CreateLabel
  if (label && !fitsItsText) {
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (const int needed = WrappedTextHeight(font, WindowTextOf(window), width); needed > height) height = needed;
  }
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (fitsItsText) FitLabelToItsText(window);
  WidenChoiceToItsCaption(window, relayout.toDpi);
}

// The messages that read and set the height of a list's items, or of a combo box's list.
struct ItemHeightMessages {
  UINT get = 0, set = 0;
};

ItemHeightMessages ItemHeightMessagesOf(HWND window) {
  if (IsWindowOfClass(window, WC_LISTBOXW)) return {LB_GETITEMHEIGHT, LB_SETITEMHEIGHT};
  if (IsWindowOfClass(window, WC_COMBOBOXW)) return {CB_GETITEMHEIGHT, CB_SETITEMHEIGHT};
  return {};
}

BOOL CALLBACK RelayoutOne(HWND window, LPARAM relayoutPointer) {
  const Relayout& relayout = *reinterpret_cast<const Relayout*>(relayoutPointer);
  // The item height is read before the new font, which has a list measure its items anew, and set after.
  const ItemHeightMessages itemHeight = ItemHeightMessagesOf(window);
  const LRESULT oldItemHeight = itemHeight.get ? SendMessageW(window, itemHeight.get, 0, 0) : 0;
  if (const HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)))
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(relayout.fonts.For(font)), FALSE);
  if (oldItemHeight > 0) SendMessageW(window, itemHeight.set, 0, Rescaled(static_cast<int>(oldItemHeight), relayout));
  MoveToNewScale(window, relayout);
  if (Page* page = Page::FromWindow(window)) page->RescalePaintings(relayout.toDpi);
  return TRUE;
}

BOOL CALLBACK KeepRightOfAgainOne(HWND window, LPARAM dpi) {
  KeepRightOfAgain(window, static_cast<int>(dpi));
  return TRUE;
}

}  // namespace

void RelayoutForDpi(HWND root, int fromDpi, int toDpi, RescaledFonts& fonts) {
  Relayout relayout{fromDpi, toDpi, fonts};
  EnumChildWindows(root, RelayoutOne, reinterpret_cast<LPARAM>(&relayout));
  EnumChildWindows(root, KeepRightOfAgainOne, toDpi);  // once every label has its new width
  RedrawWindow(root, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
