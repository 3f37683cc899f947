#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// Files and folders dragged from Explorer and dropped on a window.

// The paths a drop (WM_DROPFILES) carries, in its order, whatever their length.
std::vector<std::wstring> DroppedPaths(HDROP drop);

// The files the dropped paths stand for: each dropped file as it is, in the order given; each dropped
// folder replaced by the files directly inside it, in Explorer's name order. No link is followed: an
// entry of a folder that is a symbolic link or a junction is left out, as are the folders inside. A path
// that is no longer there is left out.
std::vector<std::wstring> FilesOfDrop(const std::vector<std::wstring>& paths);
