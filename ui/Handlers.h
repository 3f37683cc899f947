#pragma once
#include <windows.h>

#include <functional>

// Runs an event handler; an error it does not catch ends it and is shown in the error box over the
// owner, and the program goes on with the next event.
void RunHandler(HWND owner, const std::function<void()>& handler);

// The window whose dialog keys (Tab, Enter, Esc) the message takes: the top-level window it goes to
// when that one holds controls of its own (WS_EX_CONTROLPARENT), such as a warning beside the main
// window; the main window otherwise.
HWND DialogKeysWindow(const MSG& msg, HWND mainWindow);

// Delivers the messages waiting for this thread, with the dialog keys of the window, so that it
// answers during long work. A quit request is left for the main loop.
void ProcessPendingMessages(HWND window);
