// The floor of a tabbed program of Quoxel's kind: a window with the version 6 common controls (its
// manifest is linked in by bench/startup.sh), InitCommonControlsEx and a page control of nine tabs
// filling it. bench/startup.sh compares quoxel.exe with it as well as with the bare window.
#include <windows.h>
#include <commctrl.h>

#include "baseline_window.h"

namespace {

constexpr int kTabs = 9;

void AddTabs(HWND window, HINSTANCE instance) {
  RECT client;
  GetClientRect(window, &client);
  HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, client.right,
                              client.bottom, window, nullptr, instance, nullptr);
  SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  wchar_t caption[] = L"Page 0";
  for (int i = 0; i < kTabs; ++i) {
    caption[5] = static_cast<wchar_t>(L'1' + i);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return baseline::RunWindow(instance, showCommand, L"TabWindow", L"Tab Window", AddTabs);
}
