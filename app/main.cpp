// Program entry: builds the main window and runs the message loop until the program is told to end.
// One copy runs for each program folder in a session: a second start from the same folder brings the
// first copy's window to the front and ends before reading or writing anything in Data.
#include <windows.h>
#include <commctrl.h>

#include "platform/Boxes.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"
#include "ui/Handlers.h"
#include "utilities/ErrorText.h"
#include "app/FrmMain.h"

namespace {

int RunMessageLoop(HWND window) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    const HWND dialog = DialogKeysWindow(msg, window);
    if (IsWindow(dialog) && IsDialogMessageW(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  const std::wstring programFolder = ExecutableFolder();
  const std::wstring instanceName = InstanceName(programFolder);
  const InstanceLock lock(instanceName);
  if (!lock.IsFirst()) {
    // The first copy marks its window once it is built; a start that comes meanwhile waits for that.
    constexpr DWORD kWaitForFirst = 10000;
    if (HWND running = WaitForInstanceWindow(TFrmMain::kWindowClass, instanceName, kWaitForFirst))
      PostToInstanceWindow(running, TFrmMain::ShowRequestMessage());
    return 0;
  }
  try {
    TFrmMain form(instance, programFolder);
    form.AnswerLaterStarts(instanceName);
    ShowWindow(form.Handle(), showCommand == SW_SHOWDEFAULT ? SW_SHOWNORMAL : showCommand);
    return RunMessageLoop(form.Handle());
  } catch (const AppError& error) {
    ShowErrorBox(nullptr, error.Message());
    return 1;
  }
}
