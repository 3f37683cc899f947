#include "ui/Page.h"

namespace {
constexpr wchar_t kPageClass[] = L"QuoxelPage";
}

void Page::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kPageClass;
  RegisterClassExW(&wc);
}

Page::Page(HWND pageControl) {
  handle_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                            pageControl, nullptr,
                            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(pageControl, GWLP_HINSTANCE)), this);
}

Page::Page(HWND parent, Bounds b, COLORREF background) : background_(CreateSolidBrush(background)) {
  handle_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, b.left,
                            b.top, b.width, b.height, parent, nullptr,
                            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), this);
}

Page::~Page() {
  if (background_) DeleteObject(background_);
}

void Page::AddPainting(Bounds b, Painter painter) {
  paintings_.push_back({RECT{b.left, b.top, b.left + b.width, b.top + b.height}, std::move(painter)});
}

void Page::AddBevel(Bounds bounds, UINT edge, UINT flags) {
  AddPainting(bounds, [edge, flags](HDC dc, const RECT& rect) {
    RECT frame = rect;
    DrawEdge(dc, &frame, edge, flags);
  });
}

void Page::Paint(HDC dc) const {
  for (const Painting& painting : paintings_) painting.painter(dc, painting.rect);
}

LRESULT CALLBACK Page::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const Page* page = reinterpret_cast<const Page*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CONTEXTMENU:
      return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_SETCURSOR:
      // The main window decides the pointer over its link labels.
      if (reinterpret_cast<HWND>(wParam) != window &&
          SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam))
        return TRUE;
      break;
    case WM_ERASEBKGND:
      if (page) {
        RECT rect;
        GetClientRect(window, &rect);
        FillRect(reinterpret_cast<HDC>(wParam), &rect, page->Background());
        return 1;
      }
      break;
    case WM_PAINT:
      if (page) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        page->Paint(dc);
        EndPaint(window, &ps);
        return 0;
      }
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
