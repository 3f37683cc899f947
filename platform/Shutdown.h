#pragma once
#include <windows.h>

#include <functional>

// Enables the shutdown privilege of this process (on the NT family), then asks the system to end the
// session with the ExitWindowsEx flags; true when the system accepted the request.
bool ShutdownWindows(UINT flags);
// ExitWindowsEx with the flags alone, without touching the privilege.
bool RequestExitWindows(UINT flags);

// Tests take every request instead of the system (`privileged` tells ShutdownWindows from
// RequestExitWindows): a forced request would end the test process with a passing status. An empty
// taker brings the system back.
using ExitWindowsTaker = std::function<bool(UINT flags, bool privileged)>;
void SetExitWindowsTaker(ExitWindowsTaker taker);
