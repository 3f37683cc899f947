#pragma once
#include <windows.h>

#include <string>

#include "platform/Handles.h"

// The name shared by the copies of the program started from `programFolder` in this session, however
// the folder is spelt: the folder's final path as the system resolves it (letter case folded), made
// into a short name.
std::wstring InstanceName(const std::wstring& programFolder);

// Held, for as long as it lives, by the first copy that takes it in the user's session; a copy of the
// program started from another folder takes a lock of its own.
class InstanceLock {
 public:
  explicit InstanceLock(const std::wstring& name);
  // False when another copy holds the lock. A lock the system refuses for another reason does not
  // keep the program from running.
  bool IsFirst() const { return first_; }

 private:
  ScopedHandle mutex_;
  bool first_;
};

// The first copy's main window carries the name, so that a later copy finds it among the windows of
// its class; the mark is removed before the window goes.
void MarkInstanceWindow(HWND window, const std::wstring& name);
void UnmarkInstanceWindow(HWND window, const std::wstring& name);
// The top-level window of the class that carries the name, looked for until it appears or the time is
// up; null then.
HWND WaitForInstanceWindow(const wchar_t* windowClass, const std::wstring& name, DWORD milliseconds);
// Posts the message to a window of another process, letting that process take the foreground (which
// the copy the user just started may give).
void PostToInstanceWindow(HWND window, UINT message);
