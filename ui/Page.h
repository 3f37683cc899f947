#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "ui/Controls.h"

// One page of the main window's page control. Its controls report to the main window: the page passes
// their commands, notifications, colour and cursor requests on to it. The page also draws what has no
// window of its own (bevels, pictures), beneath its controls.
class Page {
 public:
  using Painter = std::function<void(HDC, const RECT&)>;

  static void RegisterWindowClass(HINSTANCE instance);
  // A page of the page control, in the button-face colour.
  explicit Page(HWND pageControl);
  // A panel: a container at a place in its parent, with its own background colour.
  Page(HWND parent, Bounds bounds, COLORREF background);
  ~Page();
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  HWND Handle() const { return handle_; }
  // What labels on this container paint their background with.
  HBRUSH Background() const { return background_ ? background_ : GetSysColorBrush(COLOR_BTNFACE); }
  void AddPainting(Bounds bounds, Painter painter);
  // A bevel: DrawEdge's edge and border flags around the bounds.
  void AddBevel(Bounds bounds, UINT edge, UINT flags);

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  void Paint(HDC dc) const;

  struct Painting {
    RECT rect;
    Painter painter;
  };
  HWND handle_ = nullptr;
  HBRUSH background_ = nullptr;
  std::vector<Painting> paintings_;
};
