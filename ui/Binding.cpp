#include "ui/Binding.h"

Binding OnTreeSelect(std::function<void(HTREEITEM)> action) {
  return Binding().OnNotify(TVN_SELCHANGEDW, [action](const NMHDR& header) {
    action(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.hItem);
  });
}

Binding OnItemDoubleClick(std::function<void(POINT)> action) {
  // The double-click's own position: the pointer may have moved on by the time it is handled.
  return Binding().OnNotify(
      NM_DBLCLK, [action](const NMHDR& header) { action(reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction); });
}

namespace {
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
}

Binding LinkLabel(Binding::Action click) {
  return Binding()
      .OnClick(std::move(click))
      .OnColour([](HDC dc) {
        SetTextColor(dc, ShownColour(kLinkBlue, COLOR_HOTLIGHT));
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(nullptr);  // the page's own background
      })
      .WithHandCursor();
}
