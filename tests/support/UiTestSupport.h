#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/Boxes.h"
#include "ui/Controls.h"

// What a test must not really do: boxes and file dialogs that no test scripted fail the running test
// and are answered No / Cancel; a popup menu, the browser, a wallpaper change, a started program or a
// request to end the session fails it too; tray icon calls go nowhere, so that no test leaves an icon
// or a balloon in the desktop; the clock, waits and list files are the real ones again; high contrast
// is off.
void InstallTestGuards();

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
// A click on a tab of a tab control, and a double-click, as the mouse makes them (posted, then delivered).
void ClickTab(HWND tabControl, int index);
void DoubleClick(HWND window, POINT at);
// A key typed with Ctrl (and Shift) held down, posted to the window and delivered.
void PressWithCtrl(HWND window, WPARAM key, bool shift = false);
// The middle of the icon at a position of a list view in icon mode, in its client area.
POINT IconCentre(HWND listView, int position);
// A click in the middle of a window.
void Click(HWND window);
// A click on a list box's item, `x` pixels from its left edge.
void ClickListItem(HWND list, int index, int x);
// Files dropped from Explorer on the window: a real drop (WM_DROPFILES) of the paths, sent to it.
void DropFiles(HWND target, const std::vector<std::wstring>& paths);
// The texts of a list box's items.
std::vector<std::wstring> ListItems(HWND list);
// The whole content of a file; empty when it cannot be read.
std::string ReadBytes(const std::wstring& path);
// Creates or replaces a file with exactly these bytes.
void WriteBytes(const std::wstring& path, const std::string& bytes);

// A folder "<temp>\quoxel-<name>-<process>\Data" for a test's data files, removed with its files.
class ScratchDataFolder {
 public:
  explicit ScratchDataFolder(const std::wstring& name);
  ~ScratchDataFolder();
  ScratchDataFolder(const ScratchDataFolder&) = delete;
  ScratchDataFolder& operator=(const ScratchDataFolder&) = delete;
  // The folder above Data, as the program's folder (with its trailing separator).
  std::wstring ProgramFolder() const { return root_ + L"\\"; }
  std::wstring Root() const { return root_; }
  std::wstring File(const std::wstring& name) const { return root_ + L"\\Data\\" + name; }

 private:
  std::wstring root_;
};
// Position of a child window in its parent's client area, as left, top, width, height.
RECT ChildBounds(HWND child);
