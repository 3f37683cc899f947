#pragma once
#include <string>
#include <utility>
#include <vector>

// The program's list files on disk, in the format of utilities/TextListFile.h with the ANSI code page
// of the system.

// The whole content of a file. Throws AppError "Cannot open file ..." with the system's reason.
std::string ReadWholeFile(const std::wstring& path);
// The lines of the file. Throws AppError "Cannot open file ..." with the system's reason. `exact`
// tells whether the file may be written again without losing any of its text (see DecodeTextList).
std::vector<std::wstring> ReadTextListFile(const std::wstring& path, bool* exact = nullptr);

// A list file's bytes decoded as ReadTextListFile decodes them: the whole text, and its lines.
std::wstring DecodeListFileText(const std::string& bytes);
std::vector<std::wstring> DecodeListFileLines(const std::string& bytes);

// Writes the lines to a new file beside the target and then puts it in the target's place, so that a
// failure leaves the old file whole. Never creates a folder. Throws AppError "Cannot create file ..."
// naming the target, with the system's reason, after removing what it wrote.
void WriteTextListFile(const std::wstring& path, const std::vector<std::wstring>& lines);

// Writes several files so that either every one of them gets its new bytes or none changes: the new
// files are written beside their targets, the old targets kept aside until every new file is in place,
// and put back on any failure. Throws AppError "Cannot create file ..." naming the target that failed.
using FileBytes = std::pair<std::wstring, std::string>;  // path, content
void WriteFilesTogether(const std::vector<FileBytes>& files);
