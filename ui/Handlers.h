#pragma once
#include <windows.h>

#include <functional>

// Runs an event handler; an error it does not catch ends it and is shown in the error box over the
// owner, and the program goes on with the next event.
void RunHandler(HWND owner, const std::function<void()>& handler);

// Delivers the messages waiting for this thread, with the dialog keys of the window, so that it
// answers during long work. A quit request is left for the main loop.
void ProcessPendingMessages(HWND window);
