#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/Boxes.h"

// Boxes and file dialogs that no test scripted fail the running test and are answered No / Cancel.
void InstallUnexpectedBoxGuards();

// Records every box shown while it lives and answers them in turn from a script (IDOK when the script
// has run out). Restores the guards when it goes.
class BoxRecorder {
 public:
  explicit BoxRecorder(std::deque<int> answers = {});
  ~BoxRecorder();
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;
  const std::vector<BoxCall>& Calls() const { return calls_; }

 private:
  std::deque<int> answers_;
  std::vector<BoxCall> calls_;
};

// Delivers every message waiting for this thread (ignoring a quit request).
void PumpMessages();
// Text of a window.
std::wstring WindowText(HWND window);
// Position of a child window in its parent's client area, as left, top, width, height.
RECT ChildBounds(HWND child);
