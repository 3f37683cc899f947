// Program entry: builds the main window and runs the message loop until the program is told to end.
#include <windows.h>
#include <commctrl.h>

#include "platform/Boxes.h"
#include "platform/System.h"
#include "utilities/ErrorText.h"
#include "app/FrmMain.h"

namespace {

int RunMessageLoop(HWND window) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsWindow(window) && IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    TFrmMain form(instance, ExecutableFolder());
    ShowWindow(form.Handle(), showCommand == SW_SHOWDEFAULT ? SW_SHOWNORMAL : showCommand);
    return RunMessageLoop(form.Handle());
  } catch (const AppError& error) {
    ShowErrorBox(nullptr, error.Message());
    return 1;
  }
}
