#pragma once
#include <string>
#include <vector>

// Text conversions of the common file dialogs, kept apart from the dialog calls so they can be tested
// anywhere.

// "Pictures|*.bmp;*.jpg" -> "Pictures\0*.bmp;*.jpg\0\0", the dialog's double-NUL filter list.
std::wstring DialogFilterList(const std::wstring& barSeparatedFilter);

// ".txt" -> "txt": the dialog wants the default extension without its dot.
std::wstring DialogDefaultExtension(const std::wstring& extension);

// The files chosen in a dialog from its result buffer: either one full path, or a folder followed by
// file names, each ended by a NUL and the list by an empty string.
std::vector<std::wstring> ChosenFiles(const std::wstring& resultBuffer);
