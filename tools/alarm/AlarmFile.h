#pragma once
#include <string>

// The notice that refuses the alarm's file, or empty when it will do: a path is given, a file is
// there, and its extension is exactly ".wav" or ".mp3" (the dialog's filter lets other cases through).
std::wstring AlarmFileProblem(const std::wstring& path, bool fileExists);
