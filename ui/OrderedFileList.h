#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/FileDialogs.h"
#include "ui/Controls.h"

// A multi-select list box of full file paths in the user's order (duplicates allowed), with its
// remove, move-up and move-down buttons: the renamer's files and the wallpaper pictures. The page
// makes the controls and binds their handlers; this does the list's part of the work. An owner-drawn
// list (`drawStyle` LBS_OWNERDRAWFIXED | LBS_HASSTRINGS) keeps its rows' texts all the same.
HWND CreateOrderedFileListBox(HWND parent, Bounds bounds, HFONT font, DWORD exStyle, DWORD drawStyle = 0);

// Until its page's controls are made, the list keeps its entries itself.
class OrderedFileList {
 public:
  // Puts the entries kept so far into the list box, which holds them from then on; the three buttons
  // start disabled, with nothing selected.
  void Show(HWND list, HWND removeButton, HWND upButton, HWND downButton);

  int Count() const;
  std::vector<std::wstring> Entries() const;
  // Replaces the whole list; with nothing selected then, the three buttons are disabled.
  void SetEntries(const std::vector<std::wstring>& entries);
  // Appends the entries to the list box, in their order.
  void Add(const std::vector<std::wstring>& paths);
  // Runs the dialog and appends the chosen files in its order; false when it was cancelled.
  bool AddFrom(FileDialog& dialog, HWND owner);
  // Enables the remove and move buttons by the selection.
  void SelectionChanged();
  // Removes the selected entries and disables the three buttons.
  void RemoveSelected();
  // Exchanges the current entry with its neighbour above (-1) or below (+1); the focus follows it.
  void MoveCurrent(int direction);

 private:
  std::vector<int> SelectedPositions() const;
  void SetText(int position, const std::wstring& text);
  void EnableButtons(bool remove, bool move);

  HWND list_ = nullptr, removeButton_ = nullptr, upButton_ = nullptr, downButton_ = nullptr;
  std::vector<std::wstring> kept_;  // the entries while there is no list box
};
