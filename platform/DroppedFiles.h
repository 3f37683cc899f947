#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

// Files and folders dragged from Explorer and dropped on a window.

// The paths a drop (WM_DROPFILES) carries, in its order, whatever their length.
std::vector<std::wstring> DroppedPaths(HDROP drop);

// Which files of a folder are wanted, by name; every file when empty.
using FileNameFilter = std::function<bool(const std::wstring& name)>;

// The files directly inside the folder that the filter wants, in Explorer's name order. No link is
// followed: an entry that is a symbolic link or a junction is left out, as are the folders inside.
std::vector<std::wstring> FilesInFolder(const std::wstring& folder, const FileNameFilter& wanted = nullptr);

// The files the dropped paths stand for: each dropped file as it is, in the order given; each dropped
// folder replaced by its files as FilesInFolder gives them. A path that is no longer there is left out.
std::vector<std::wstring> FilesOfDrop(const std::vector<std::wstring>& paths,
                                      const FileNameFilter& wantedInFolders = nullptr);
