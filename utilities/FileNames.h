#pragma once
#include <optional>
#include <string>

// Parts of a full path. Extensions are compared in any letter case wherever the program tests one (the
// wallpaper's ".jpg" and ".jpeg", the alarm's ".wav" and ".mp3"), as Windows and its file dialogs take them.

// Everything up to and including the last "\" or ":"; empty when there is neither.
std::wstring FolderPart(const std::wstring& path);
// From the last "." after the folder part, dot included; empty when the name has no dot.
std::wstring FileExtension(const std::wstring& path);
// The path with its extension replaced by `extension` (or `extension` appended when it has none).
std::wstring ChangeFileExtension(const std::wstring& path, const std::wstring& extension);
// The path as the system's file calls take it whatever its length: one of 260 characters or more,
// beyond what the plain calls accept, in its "\\?\" form ("\\?\UNC\" for a network path); a
// shorter one, or one that cannot take that form, as it is.
std::wstring PathForFileCalls(const std::wstring& path);

// The name under which a new file is written beside `target` before it takes the target's place: the
// target's path, the writing process and a count, so that no two writers share one.
std::wstring TemporaryNameBeside(const std::wstring& target, unsigned long process, unsigned count);
// Where a target's old file is kept while new files take their places together.
std::wstring OldFileBeside(const std::wstring& target);
// The target whose write left `path` behind when the write was cut short: the target of a name that
// TemporaryNameBeside or OldFileBeside gives; nothing for any other name.
std::optional<std::wstring> LeftoverTarget(const std::wstring& path);
