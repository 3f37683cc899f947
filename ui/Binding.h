#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/HighContrast.h"
#include "ui/Controls.h"

// What a control does when it reports something, named on the line that creates the control:
//   LstFoo = page.Bind(CreateChild(...), OnSelect([this] { LstFooClick(); }));
// The page the control sits on keeps the binding and calls it when the control reports.
struct Binding {
  using Action = std::function<void()>;
  using Notification = std::function<void(const NMHDR&)>;
  // Returns the brush the control paints its background with; may set the colours of the DC.
  using Colour = std::function<HBRUSH(HDC)>;
  using DropFiles = std::function<void(const std::vector<std::wstring>& paths)>;

  Action click;                                              // a button's or a notifying label's click
  Action select;                                             // a list box's selection change
  Action markChange;                                         // a check-list box's mark change
  Action change;                                             // an edit's text change
  std::vector<std::pair<UINT, Notification>> notifications;  // by notification code
  Colour colour;
  std::function<void(POINT screenPoint)> contextMenu;
  std::function<void(const DRAWITEMSTRUCT&)> drawItem;  // an owner-drawn list's row
  KeyFilter keyFilter;
  KeyDownAction keyDown;
  DropFiles dropFiles;  // files and folders dropped from Explorer, their paths as dropped
  bool handCursor = false;

  Binding& OnClick(Action action) { return Set(&Binding::click, std::move(action)); }
  Binding& OnSelect(Action action) { return Set(&Binding::select, std::move(action)); }
  Binding& OnMarkChange(Action action) { return Set(&Binding::markChange, std::move(action)); }
  Binding& OnChange(Action action) { return Set(&Binding::change, std::move(action)); }
  Binding& OnKeyDown(KeyDownAction action) { return Set(&Binding::keyDown, std::move(action)); }
  Binding& OnNotify(UINT code, Notification action) {
    notifications.emplace_back(code, std::move(action));
    return *this;
  }
  Binding& OnColour(Colour paint) { return Set(&Binding::colour, std::move(paint)); }
  Binding& OnContextMenu(std::function<void(POINT)> show) { return Set(&Binding::contextMenu, std::move(show)); }
  Binding& OnDrawItem(std::function<void(const DRAWITEMSTRUCT&)> draw) { return Set(&Binding::drawItem, std::move(draw)); }
  Binding& OnKey(KeyFilter filter) { return Set(&Binding::keyFilter, std::move(filter)); }
  Binding& OnDropFiles(DropFiles take) { return Set(&Binding::dropFiles, std::move(take)); }
  Binding& WithHandCursor() { return Set(&Binding::handCursor, true); }

 private:
  template <typename T>
  Binding& Set(T Binding::*member, T value) {
    this->*member = std::move(value);
    return *this;
  }
};

// The program's own colours give way to the system's where the user asks for high contrast: a text's
// own colour, or the system's colour (a COLOR_* index) there; a background's own brush, or none (the
// system's) there.
inline COLORREF ShownColour(COLORREF own, int systemColour) {
  return HighContrastOn() ? GetSysColor(systemColour) : own;
}
inline HBRUSH ShownBrush(HBRUSH own) { return HighContrastOn() ? nullptr : own; }
// Text on a background of the program's own colours, all of them light, whatever the system's text is.
constexpr COLORREF kTextOnOwnColour = RGB(0, 0, 0);

inline Binding OnClick(Binding::Action action) { return Binding().OnClick(std::move(action)); }
inline Binding OnSelect(Binding::Action action) { return Binding().OnSelect(std::move(action)); }
inline Binding OnColour(Binding::Colour paint) { return Binding().OnColour(std::move(paint)); }
inline Binding OnKey(KeyFilter filter) { return Binding().OnKey(std::move(filter)); }
inline Binding OnChange(Binding::Action action) { return Binding().OnChange(std::move(action)); }
// A tree view's selection change, with the newly selected item.
Binding OnTreeSelect(std::function<void(HTREEITEM)> action);
// A double-click in a list view, with where in the view it happened.
Binding OnItemDoubleClick(std::function<void(POINT clientPoint)> action);
// A link label: blue text (the system's link colour in high contrast), the hand pointer, and the click.
Binding LinkLabel(Binding::Action click);

// The commands of the popup menus a window shows, each bound to its handler where its item is made.
class MenuCommands {
 public:
  void Bind(UINT command, Binding::Action handler) { handlers_[command] = std::move(handler); }
  // The handler a WM_COMMAND runs when it is a menu's command (no control, code 0); null otherwise.
  const Binding::Action* Of(WPARAM wParam, LPARAM lParam) const {
    if (lParam != 0 || HIWORD(wParam) != 0) return nullptr;
    const auto found = handlers_.find(LOWORD(wParam));
    return found == handlers_.end() ? nullptr : &found->second;
  }

 private:
  std::map<UINT, Binding::Action> handlers_;
};
