#pragma once
#include <string>
#include <vector>

// The program's list files on disk, in the format of utilities/TextListFile.h with the ANSI code page
// of the system.

// The whole content of a file. Throws AppError "Cannot open file ..." with the system's reason.
std::string ReadWholeFile(const std::wstring& path);
// The lines of the file. Throws AppError "Cannot open file ..." with the system's reason.
std::vector<std::wstring> ReadTextListFile(const std::wstring& path);

// Writes the lines to a new file beside the target and then puts it in the target's place, so that a
// failure leaves the old file whole. Never creates a folder. Throws AppError "Cannot create file ..."
// naming the target, with the system's reason, after removing what it wrote.
void WriteTextListFile(const std::wstring& path, const std::vector<std::wstring>& lines);

// Writes the bytes to a new file beside the target and then moves it to the target's name, unless a
// file has appeared there meanwhile, which is kept. Nothing half-written ever carries the target's
// name. Throws AppError "Cannot create file ..." naming the target, after removing what it wrote.
void WriteFileWithoutReplacing(const std::wstring& path, const std::string& bytes);
// Puts a finished file in the target's place, replacing it. Throws AppError "Cannot create file ..."
// naming the target, with the system's reason; the finished file then stays where it was.
void MoveOver(const std::wstring& finished, const std::wstring& target);
