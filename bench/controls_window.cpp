// What Quoxel's windows cost on their own: the nine-tab window with a page on each tab and, on the
// pages, as many controls of each kind as Quoxel's main window has, with no logic, pictures or data.
// bench/startup.sh prints Quoxel's ratio to it beside the ratio to the bare nine-tab window, so the
// share of the start-up that the controls themselves take under this Wine is plain.
#include <windows.h>
#include <commctrl.h>

#include "baseline_window.h"

namespace {

constexpr wchar_t kButtonClass[] = L"ControlsWindowButton";  // as Quoxel's own speed button: a plain class

struct Kind {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
  int count;
  int height;  // a drop-down's includes its list
};

// Quoxel's controls by kind (the drop-down lists, time pickers, tree and edit bring their own parts).
constexpr Kind kKinds[] = {
    {L"STATIC", SS_LEFT | SS_NOTIFY, 0, 31, 13},
    {kButtonClass, 0, 0, 20, 22},
    {L"LISTBOX", WS_VSCROLL | LBS_NOTIFY, WS_EX_CLIENTEDGE, 7, 100},
    {L"BUTTON", BS_AUTOCHECKBOX, 0, 4, 17},
    {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 3, 21},
    {WC_COMBOBOXW, CBS_DROPDOWN | WS_VSCROLL, 0, 2, 121},
    {DATETIMEPICK_CLASSW, DTS_TIMEFORMAT, 0, 2, 21},
    {WC_TREEVIEWW, TVS_HASLINES, WS_EX_CLIENTEDGE, 1, 300},
    {WC_LISTVIEWW, LVS_ICON, 0, 1, 200},
    {ANIMATE_CLASSW, ACS_TRANSPARENT, 0, 1, 50},
};

void RegisterButtonClass(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kButtonClass;
  RegisterClassW(&windowClass);
}

// The nine tabs with a page, hidden but the first, on each.
void AddTabsWithPages(HWND window, HINSTANCE instance, HWND (&pages)[baseline::kTabs]) {
  HWND tabs = baseline::AddNineTabs(window, instance);
  RECT client;
  GetClientRect(tabs, &client);
  for (int i = 0; i < baseline::kTabs; ++i)
    pages[i] = CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | (i == 0 ? WS_VISIBLE : 0), 5, 25,
                               client.right - 10, client.bottom - 30, tabs, nullptr, instance, nullptr);
}

void AddControls(HWND window, HINSTANCE instance) {
  RegisterButtonClass(instance);
  HWND pages[baseline::kTabs];
  AddTabsWithPages(window, instance, pages);
  int made = 0;
  for (const Kind& kind : kKinds) {
    for (int i = 0; i < kind.count; ++i, ++made) {
      HWND page = pages[made % baseline::kTabs];
      HWND control = CreateWindowExW(kind.exStyle, kind.windowClass, L"Caption", WS_CHILD | WS_VISIBLE | kind.style, 10,
                                     (made * 23) % 300, 150, kind.height, page, nullptr, instance, nullptr);
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
  }
  // The drive details' panel is a container of its own, as the pages are.
  CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 287, 19, 298, 84, pages[1], nullptr,
                  instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&controls);
  return baseline::RunWindow(instance, showCommand, L"ControlsWindow", L"Controls Window", AddControls);
}
