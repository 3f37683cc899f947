#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/FileIdentity.h"
#include "platform/Handles.h"

// Where a folder really lies; what a path is and what its attributes and sharing allow, for code that
// deletes files.

// Where a folder lies: its path with every link on the way resolved, as "\\?\C:\...", and the serial
// number of its volume, both told by one open of the folder.
struct FolderLocation {
  std::wstring path;
  std::uint32_t volume;
};
// Nothing when the folder cannot be opened.
std::optional<FolderLocation> LocateFolder(const std::wstring& folder);

// Runs the work on this thread with file-system redirection turned off and turns it back on after,
// also when the work throws. Only a 32-bit program on 64-bit Windows is redirected.
void RunWithoutFileSystemRedirection(const std::function<void()>& work);

// A file opened without sharing and without following a link at its own name: while it is open nobody
// else can open, rename or delete it, so what it is found to be stays true until it is closed.
class ExclusiveFile {
 public:
  enum class Purpose {
    Check,   // reading and writing, as a program using the file would open it
    Delete,  // deleting, and clearing its read-only attribute first
  };
  ExclusiveFile(const std::wstring& path, Purpose purpose);

  bool IsOpen() const { return static_cast<bool>(handle_); }
  // The open was refused because another program has the file open or locked, or access was denied.
  bool WasRefused() const;
  // The opened file's identity, when it is a plain file (not a folder, not a link).
  std::optional<FileIdentity> PlainFileIdentity() const;
  // Where the opened file really lies, as "\\?\C:\..." (under Wine a link to a file opens its target,
  // and this names the target); empty when the system cannot tell.
  std::wstring FinalPath() const;
  // Deletes the file it holds (opened for Delete): it goes as the handle is closed, here.
  bool Delete();

 private:
  ScopedHandle handle_;
  unsigned long openError_ = 0;
};
