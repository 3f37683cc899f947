#include "ui/Handlers.h"

#include "platform/Boxes.h"
#include "utilities/ErrorText.h"

void RunHandler(HWND owner, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const AppError& error) {
    ShowErrorBox(owner, error.Message());
  } catch (const std::exception& error) {
    ShowErrorBox(owner, StandardExceptionText(error));
  }
}

HWND DialogKeysWindow(const MSG& msg, HWND mainWindow) {
  const HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  return root && (GetWindowLongW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) ? root : mainWindow;
}

void ProcessPendingMessages(HWND window) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
      return;
    }
    if (IsDialogMessageW(DialogKeysWindow(msg, window), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
