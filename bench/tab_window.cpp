// The floor of a tabbed program of Quoxel's kind: a window with the version 6 common controls (its
// manifest is linked in by bench/startup.sh), InitCommonControlsEx and a page control of nine tabs
// filling it. bench/startup.sh compares quoxel.exe with it as well as with the bare window.
#include <windows.h>
#include <commctrl.h>

#include "baseline_window.h"

namespace {

void AddTabs(HWND window, HINSTANCE instance) { baseline::AddNineTabs(window, instance); }

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return baseline::RunWindow(instance, showCommand, L"TabWindow", L"Tab Window", AddTabs);
}
