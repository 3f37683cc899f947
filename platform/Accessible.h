#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// What a window tells screen readers about itself where the system's standard object would tell
// something else or nothing: a window of the program's own class is "client" named by its text, and
// under Wine a list, tree or combo box is "client" without a name. Unset facts are the standard ones.
struct AccessibleFacts {
  std::optional<std::wstring> name;
  std::optional<long> role;   // ROLE_SYSTEM_*
  std::optional<long> state;  // STATE_SYSTEM_*
  std::optional<std::wstring> keyboardShortcut;
  // The description of a child (a list's item: child 1 is the first); unset or empty: the standard one.
  std::function<std::wstring(long child)> childDescription;
};
using DescribeAccessible = std::function<AccessibleFacts()>;

// The answer to WM_GETOBJECT for the window's client area (OBJID_CLIENT): the standard object with the
// facts `describe` gives at each question (the window's own, and its children's descriptions). 0 when
// it cannot be made; the window then answers as usual.
LRESULT AccessibleClientObject(HWND window, WPARAM wParam, DescribeAccessible describe);
