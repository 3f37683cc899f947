#pragma once
#include <string>
#include <vector>

// The program's list files on disk, in the format of utilities/TextListFile.h with the ANSI code page
// of the system.

// The lines of the file. Throws AppError "Cannot open file ..." with the system's reason.
std::vector<std::wstring> ReadTextListFile(const std::wstring& path);

// Writes the lines to a new file beside the target and then puts it in the target's place, so that a
// failure leaves the old file whole. Never creates a folder. Throws AppError "Cannot create file ..."
// naming the target, with the system's reason, after removing what it wrote.
void WriteTextListFile(const std::wstring& path, const std::vector<std::wstring>& lines);

// Puts a finished file in the target's place, replacing it. Throws AppError "Cannot create file ..."
// naming the target, with the system's reason; the finished file then stays where it was.
void MoveOver(const std::wstring& finished, const std::wstring& target);
