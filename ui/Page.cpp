#include "ui/Page.h"

#include <windowsx.h>

#include <cassert>

#include "platform/Dpi.h"
#include "platform/DroppedFiles.h"
#include "ui/CheckListBox.h"
#include "ui/Handlers.h"
#include "ui/RightColumnList.h"
#include "ui/WindowObject.h"
#include "utilities/DpiScale.h"

namespace {
constexpr wchar_t kPageClass[] = L"QuoxelPage";
// Between a bevel and a control it frames, at the least, once the bevel has grown around it.
constexpr int kBevelPadding = 2;
}

void Page::RegisterWindowClass(HINSTANCE instance) { RegisterFaceWindowClass(instance, kPageClass, WindowProc); }

Page::Page(HWND pageControl, Bounds b) {
  handle_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS, b.left, b.top, b.width,
                            b.height, pageControl, nullptr,
                            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(pageControl, GWLP_HINSTANCE)), this);
}

Page::Page(HWND parent, Bounds bounds, COLORREF background) : background_(CreateSolidBrush(background)) {
  const Bounds b = ScaledBounds(bounds, WindowDpi(parent));
  handle_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, b.left,
                            b.top, b.width, b.height, parent, nullptr,
                            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), this);
}

namespace {

// The controls that take dropped files: the window procedure each had before, and what takes the paths.
struct DropTarget {
  WNDPROC previous;
  Binding::DropFiles take;
};
std::map<HWND, DropTarget>& DropTargets() {
  static std::map<HWND, DropTarget> targets;
  return targets;
}

// Replaces the window procedure rather than subclassing through the common controls, whose every
// message costs a round trip to the Wine server; a list that takes drops may hold thousands of files.
LRESULT CALLBACK TakeDroppedFiles(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = DropTargets().find(control);
  const WNDPROC previous = found->second.previous;
  if (message == WM_DROPFILES) {
    const auto drop = reinterpret_cast<HDROP>(wParam);
    const std::vector<std::wstring> paths = DroppedPaths(drop);
    DragFinish(drop);  // before the handler, which may show a box for long
    found->second.take(paths);
    return 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    DropTargets().erase(found);
  }
  return CallWindowProcW(previous, control, message, wParam, lParam);
}

void AcceptDroppedFiles(HWND control, Binding::DropFiles take) {
  const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
  DropTargets()[control] = {previous, std::move(take)};
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TakeDroppedFiles));
  DragAcceptFiles(control, TRUE);
}

RECT RectAtDpi(Bounds layout, int dpi) {
  const Bounds b = ScaledBounds(layout, dpi);
  return RECT{b.left, b.top, b.left + b.width, b.top + b.height};
}

}  // namespace

Page* Page::FromWindow(HWND window) {
  if (!IsWindowOfClass(window, kPageClass)) return nullptr;
  return reinterpret_cast<Page*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Page::AddPainting(Bounds bounds, Painter painter) {
  paintings_.push_back({bounds, RectAtDpi(bounds, WindowDpi(handle_)), std::move(painter)});
}

void Page::RescalePaintings(int dpi) {
  for (Painting& painting : paintings_) painting.rect = RectAtDpi(painting.layout, dpi);
}

void Page::AddBevel(Bounds bounds, UINT edge, UINT flags) {
  AddPainting(bounds, [edge, flags](HDC dc, const RECT& rect) {
    RECT frame = rect;
    DrawEdge(dc, &frame, edge, flags);
  });
  paintings_.back().framesControls = true;
}

RECT Page::DrawnRect(const Painting& painting) const {
  RECT drawn = painting.rect;
  if (!painting.framesControls) return drawn;
  const int padding = ScaleToDpi(kBevelPadding, WindowDpi(handle_));
  for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT control;
    GetWindowRect(child, &control);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&control), 2);
    if (!PtInRect(&painting.rect, POINT{control.left, control.top})) continue;
    InflateRect(&control, padding, padding);
    UnionRect(&drawn, &drawn, &control);
  }
  return drawn;
}

std::vector<RECT> Page::Bevels() const {
  std::vector<RECT> bevels;
  for (const Painting& painting : paintings_)
    if (painting.framesControls) bevels.push_back(DrawnRect(painting));
  return bevels;
}

HWND Page::Bind(HWND control, Binding binding) {
  assert(bindings_.count(control) == 0 && "a control is bound once: a second binding would replace the first");
  // First, before any subclass: a procedure replaced later (a screen reader's name, a key filter) keeps
  // this one and calls it in turn.
  if (binding.dropFiles)
    AcceptDroppedFiles(control, [this, take = binding.dropFiles](const std::vector<std::wstring>& paths) {
      Run([&take, &paths] { take(paths); });
    });
  if (binding.keyFilter) SetKeyFilter(control, binding.keyFilter);
  if (binding.keyDown)
    SetKeyDownAction(control, [this, action = binding.keyDown](WORD key) { Run([&action, key] { action(key); }); });
  bindings_[control] = std::move(binding);
  return control;
}

void Page::BindTimer(WindowTimer& timer, Binding::Action handler) {
  timer.Attach(handle_);
  timers_[timer.Id()] = std::move(handler);
}

void Page::BindMenuCommand(UINT command, Binding::Action handler) { menuCommands_.Bind(command, std::move(handler)); }

const Binding* Page::BindingOf(HWND control) const {
  const auto found = bindings_.find(control);
  return found == bindings_.end() ? nullptr : &found->second;
}

void Page::Run(const Binding::Action& handler) const {
  if (handler) RunHandler(GetAncestor(handle_, GA_ROOT), handler);
}

void Page::OnCommand(WPARAM wParam, HWND control) {
  if (!control) {  // a popup menu's command
    if (const Binding::Action* handler = menuCommands_.Of(wParam, 0)) Run(*handler);
    return;
  }
  const Binding* binding = BindingOf(control);
  if (!binding) return;
  switch (HIWORD(wParam)) {
    case BN_CLICKED:
      Run(binding->click);
      break;  // also a notifying label's STN_CLICKED
    case LBN_SELCHANGE:
      Run(binding->select);
      break;
    case EN_CHANGE:
      Run(binding->change);
      break;
    case kCheckListMarkChanged:
      Run(binding->markChange);
      break;
  }
}

bool Page::OnNotify(const NMHDR& header) {
  const Binding* binding = BindingOf(header.hwndFrom);
  if (!binding) return false;
  for (const auto& [code, action] : binding->notifications)
    if (code == header.code) {
      Run([&action, &header] { action(header); });
      return true;
    }
  return false;
}

LRESULT Page::OnColour(UINT message, HDC dc, HWND control) {
  // Text on the page's background (labels, check boxes, radio buttons) and text on a control's own
  // get the colour for each, the system's but on a panel's own colour, which a binding may change; a
  // colour left as the DC had it would be black on a black high-contrast background.
  const bool onPage = message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN;
  if (onPage)
    SetTextColor(dc, ShownColour(background_ ? kTextOnOwnColour : GetSysColor(COLOR_BTNTEXT), COLOR_BTNTEXT));
  else
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const Binding* binding = BindingOf(control);
  HBRUSH brush = binding && binding->colour ? binding->colour(dc) : nullptr;
  if (onPage) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(brush ? brush : Background());
  }
  if (brush) return reinterpret_cast<LRESULT>(brush);
  return DefWindowProcW(handle_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

LRESULT Page::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY:
      if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) return 0;
      break;
    case WM_TIMER: {
      const auto found = timers_.find(wParam);
      if (found != timers_.end()) Run(found->second);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return OnColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const Binding* binding = BindingOf(item.hwndItem);
      if (binding && binding->drawItem)
        binding->drawItem(item);
      else if (IsCheckListBox(item.hwndItem))
        DrawCheckListItem(item);
      else if (IsRightColumnList(item.hwndItem))
        DrawRightColumnItem(item);
      else
        break;
      return TRUE;
    }
    case WM_CONTEXTMENU: {
      const HWND control = reinterpret_cast<HWND>(wParam);
      const Binding* binding = BindingOf(control);
      if (!binding || !binding->contextMenu) break;
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (lParam == -1) {  // from the keyboard: at the control's corner
        at = POINT{0, 0};
        ClientToScreen(control, &at);
      }
      Run([&binding, at] { binding->contextMenu(at); });
      return 0;
    }
    case WM_SETCURSOR: {
      const Binding* binding = BindingOf(reinterpret_cast<HWND>(wParam));
      if (!binding || !binding->handCursor) break;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    }
    case WM_ERASEBKGND: {
      RECT rect;
      GetClientRect(handle_, &rect);
      FillRect(reinterpret_cast<HDC>(wParam), &rect, Background());
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(handle_, &ps);
      Paint(dc);
      EndPaint(handle_, &ps);
      return 0;
    }
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}

void Page::Paint(HDC dc) const {
  for (const Painting& painting : paintings_) painting.painter(dc, DrawnRect(painting));
}

LRESULT CALLBACK Page::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Page* page = WindowObject(window, message, lParam, &Page::handle_);
  if (!page || message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
  return page->HandleMessage(message, wParam, lParam);
}
