// Program entry: builds the main window and runs the message loop until the program is told to end.
// One copy runs for each program folder in a session: a second start from the same folder brings the
// first copy's window to the front and ends before reading or writing anything in Data. Started with
// /tray (as the Run value of "Start with Windows" does), the program starts hidden in the notification
// area, and a second such start simply ends: the sign-in must not bring a running copy's window up.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "platform/Boxes.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"
#include "ui/Handlers.h"
#include "utilities/ErrorText.h"
#include "utilities/StartupCommand.h"
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

// True when one of the arguments is /tray; the others are ignored.
bool StartedForTray() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return false;
  bool tray = false;
  for (int i = 1; i < count; ++i) tray = tray || IsTrayArgument(arguments[i]);
  LocalFree(arguments);
  return tray;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  const std::wstring programFolder = ExecutableFolder();
  const std::wstring instanceName = InstanceName(programFolder);
  const bool inTray = StartedForTray();
  const InstanceLock lock(instanceName);
  if (!lock.IsFirst()) {
    if (inTray) return 0;
    // The first copy marks its window once it is built; a start that comes meanwhile waits for that.
    constexpr DWORD kWaitForFirst = 10000;
    if (HWND running = WaitForInstanceWindow(TFrmMain::kWindowClass, instanceName, kWaitForFirst))
      PostToInstanceWindow(running, TFrmMain::ShowRequestMessage());
    return 0;
  }
  try {
    TFrmMain form(instance, programFolder);
    form.AnswerLaterStarts(instanceName);
    if (inTray)
      form.StartedInTray();
    else
      ShowWindow(form.Handle(), showCommand == SW_SHOWDEFAULT ? SW_SHOWNORMAL : showCommand);
    return RunMessageLoop(form.Handle());
  } catch (const AppError& error) {
    ShowErrorBox(nullptr, error.Message());
    return 1;
  }
}
