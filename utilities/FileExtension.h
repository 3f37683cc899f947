#pragma once
#include <string>

// A file name's extension: from the last "." after the last "\" or ":", the dot included; empty when
// there is none. Callers compare it exactly, letter case included.
std::wstring FileExtension(const std::wstring& path);
