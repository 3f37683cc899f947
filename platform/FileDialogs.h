#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A common file-open or file-save dialog, or the system's folder chooser, with the settings it is built
// with; a tool may change them before it runs the dialog. A folder chooser gives the folder as its one
// file, and takes only the title.
struct FileDialog {
  enum class Kind { Open, Save, Folder };
  Kind kind = Kind::Open;
  std::wstring title;
  std::wstring filter;            // "Description|*.ext;*.ext2|..."
  std::wstring defaultExtension;  // ".txt"
  bool multiSelect = false;
  bool overwritePrompt = false;  // a save dialog asks before it lets an existing file be chosen
  // The chosen files, in the dialog's order, after a run that was not cancelled.
  std::vector<std::wstring> files;

  // Runs the dialog; false when the user cancelled it.
  bool Execute(HWND owner);
};

// Answers a dialog instead of the user: the files chosen, or nothing for Cancel. Tests install one;
// an empty answerer brings the real dialogs back.
using FileDialogAnswerer = std::function<std::optional<std::vector<std::wstring>>(const FileDialog&)>;
void SetFileDialogAnswerer(FileDialogAnswerer answerer);
