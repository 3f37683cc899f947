#pragma once
#include <functional>

// How a thread that walks folders runs its work. On Windows the walk's threads run with the system's
// file-system redirection turned off (a 32-bit program on 64-bit Windows is otherwise shown SysWOW64
// under the name System32), and nothing but the walk runs on them meanwhile; tests and the host run
// the work as it is.
using FolderThreadRunner = std::function<void(const std::function<void()>& work)>;

inline void RunAsItIs(const std::function<void()>& work) { work(); }
