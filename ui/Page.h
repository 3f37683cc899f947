#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <vector>

#include "platform/Handles.h"
#include "platform/WindowTimer.h"
#include "ui/Binding.h"
#include "ui/Controls.h"

// One page of the main window's page control, or a panel on a page. It keeps the bindings of the
// controls made on it and calls them when a control reports (commands, notifications, colour, pointer
// and context-menu requests), and the handlers of its timers and of the popup menus it owns. It also
// draws what has no window of its own (bevels, pictures), beneath its controls.
class Page {
 public:
  using Painter = std::function<void(HDC, const RECT&)>;

  static void RegisterWindowClass(HINSTANCE instance);
  // A page of the page control, in the button-face colour, hidden until chosen, covering `bounds` of it
  // (in pixels: the page control's own display area).
  Page(HWND pageControl, Bounds bounds);
  // A panel: a container at a place in its parent (in the 96-DPI layout), with its own background colour.
  Page(HWND parent, Bounds bounds, COLORREF background);
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  // The page or panel that is this window, if it is one.
  static Page* FromWindow(HWND window);

  HWND Handle() const { return handle_; }
  // What labels on this container paint their background with: a panel's own colour, but the
  // system's in high contrast.
  HBRUSH Background() const {
    const HBRUSH own = ShownBrush(background_.Get());
    return own ? own : GetSysColorBrush(COLOR_BTNFACE);
  }
  // Draws on the page at the bounds (in the 96-DPI layout), scaled to the page's DPI.
  void AddPainting(Bounds bounds, Painter painter);
  // A bevel: DrawEdge's edge and border flags around the bounds. It frames the controls that start
  // inside it, and grows with them where a larger font has made them wider or taller than the layout.
  void AddBevel(Bounds bounds, UINT edge, UINT flags);
  // The bevels as drawn now, in the page's client area.
  std::vector<RECT> Bevels() const;
  // Places the paintings for the window shown at another DPI.
  void RescalePaintings(int dpi);

  // Keeps the control's binding (a control is bound once); returns the control. A control bound to take
  // dropped files accepts them from Explorer from then on.
  HWND Bind(HWND control, Binding binding);
  // Runs the timer on this page; each of its events calls the handler.
  void BindTimer(WindowTimer& timer, Binding::Action handler);
  // A command of a popup menu shown for this page (ShowPopupMenu with the page as owner).
  void BindMenuCommand(UINT command, Binding::Action handler);

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  const Binding* BindingOf(HWND control) const;
  void OnCommand(WPARAM wParam, HWND control);
  bool OnNotify(const NMHDR& header);
  LRESULT OnColour(UINT message, HDC dc, HWND control);
  // Runs a handler; an error it does not catch ends it and is shown in the error box.
  void Run(const Binding::Action& handler) const;
  void Paint(HDC dc) const;

  struct Painting {
    Bounds layout;  // in the 96-DPI layout
    RECT rect;      // at the page's DPI
    Painter painter;
    bool framesControls = false;  // a bevel
  };
  // Where a painting is drawn: a bevel's rectangle grown around the controls it frames.
  RECT DrawnRect(const Painting& painting) const;
  HWND handle_ = nullptr;
  ScopedBrush background_;
  std::vector<Painting> paintings_;
  std::map<HWND, Binding> bindings_;
  std::map<UINT_PTR, Binding::Action> timers_;
  MenuCommands menuCommands_;
};
