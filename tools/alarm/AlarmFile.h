#pragma once
#include <string>

// The notice that refuses the alarm's file, or empty when it will do: a path is given, a file is
// there, and its extension is ".wav" or ".mp3" in any letter case, as the dialog's filter offers them.
std::wstring AlarmFileProblem(const std::wstring& path, bool fileExists);
