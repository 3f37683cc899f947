#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "utilities/TextListFile.h"

// The program's list files on disk, in the format of utilities/TextListFile.h with the ANSI code page
// of the system.

// The largest list file read: far beyond any list the program keeps, and well within what a 32-bit
// process can hold with its decoded text.
constexpr std::uint64_t kListFileLimit = std::uint64_t{64} << 20;

// The whole content of a file of at most `limit` bytes. Throws AppError "Cannot open file ..." with
// the system's reason, or saying that the file is too large, before reading it.
std::string ReadWholeFile(const std::wstring& path, std::uint64_t limit = kListFileLimit);
// The lines of the file, read as ReadWholeFile reads it. Throws as it does. `exact` tells whether the
// file may be written again without losing any of its text, `encoding` how it is stored (see
// DecodeTextList).
std::vector<std::wstring> ReadTextListFile(const std::wstring& path, bool* exact = nullptr,
                                           ListEncoding* encoding = nullptr);
// Tests give ReadTextListFile's answers, or its failures; an empty reader brings the files back.
using TextListFileReader = std::function<std::vector<std::wstring>(const std::wstring& path, bool* exact)>;
void SetTextListFileReader(TextListFileReader reader);

// A list file's bytes decoded as ReadTextListFile decodes them: the whole text, and its lines.
std::wstring DecodeListFileText(const std::string& bytes);
std::vector<std::wstring> DecodeListFileLines(const std::string& bytes, bool* exact = nullptr);

// Writes the lines to a new file beside the target and then puts it in the target's place, so that a
// failure leaves the old file whole. Never creates a folder. Throws AppError "Cannot create file ..."
// naming the target, with the system's reason, after removing what it wrote. A file read before is
// given the encoding it was read in.
void WriteTextListFile(const std::wstring& path, const std::vector<std::wstring>& lines,
                       ListEncoding encoding = ListEncoding::Ansi);

// Writes several files so that either every one of them gets its new bytes or none changes: the new
// files are written beside their targets, each old target kept under a second name until every new
// file is in place, and put back on any failure. Each target is replaced in one step, so a process
// killed meanwhile leaves every target whole, old or new. Throws AppError "Cannot create file ..."
// naming the target that failed.
using FileBytes = std::pair<std::wstring, std::string>;  // path, content
void WriteFilesTogether(const std::vector<FileBytes>& files);
// Tests stop a write between its steps: the hook runs before each target is replaced, and may throw.
using ReplaceStepHook = std::function<void(const std::wstring& target)>;
void SetBeforeReplaceHook(ReplaceStepHook hook);

// Cleans up after writes of the folder's files that were cut short (the process killed, the power
// gone): a target left without its file takes back the newest leftover that holds something, and
// every other leftover is removed. Run at start, before anything in the folder is read.
void RecoverCutShortWrites(const std::wstring& folder);
