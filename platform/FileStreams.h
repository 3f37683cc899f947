#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Handles.h"

// A file read from its start in pieces, so that a large one is never held whole.
class FileReader {
 public:
  // Throws AppError "Cannot open file ..." with the system's reason.
  explicit FileReader(std::wstring path);
  // The file's size in bytes as it is now.
  std::uint64_t Size() const;
  // Reads up to `size` bytes and returns how many: 0 at the end of the file, and after a failure,
  // which ThrowIfFailed reports. Never throws, so that a C library may call it.
  std::size_t Read(void* buffer, std::size_t size) noexcept;
  // Throws AppError "Cannot open file ..." with the reason when a read has failed.
  void ThrowIfFailed() const;

 private:
  std::wstring path_;
  ScopedHandle file_;
  DWORD error_ = ERROR_SUCCESS;
};

// A new file beside a target, written at any offset, that takes the target's name only once it is
// whole; until then it carries a name no other writer uses, and it is removed if it is dropped before
// taking the target's name. Every failure throws AppError "Cannot create file ..." naming the target,
// with the system's reason.
class FileBeside {
 public:
  explicit FileBeside(std::wstring target);
  ~FileBeside();
  FileBeside(const FileBeside&) = delete;
  FileBeside& operator=(const FileBeside&) = delete;

  void WriteAt(std::uint64_t offset, const void* bytes, std::size_t size);
  // Puts the finished file in the target's place, replacing what is there.
  void CommitReplacing();
  // Puts the finished file in the target's place unless a file has taken that name meanwhile: that
  // one is kept, this one removed, and the answer is false.
  bool CommitWithoutReplacing();

 private:
  bool Commit(DWORD moveFlags);

  std::wstring target_;
  std::wstring name_;
  ScopedHandle file_;
  bool committed_ = false;
};
