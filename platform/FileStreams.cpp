#include "platform/FileStreams.h"

#include <atomic>

#include "platform/System.h"
#include "utilities/ErrorText.h"
#include "utilities/FileNames.h"

namespace {

// A name beside the target that no other writer, in this process or another, uses at the same time.
std::wstring UnusedNameBeside(const std::wstring& target) {
  static std::atomic<unsigned> counter{0};
  return TemporaryNameBeside(target, GetCurrentProcessId(), ++counter);
}

[[noreturn]] void ThrowCannotCreate(const std::wstring& target, DWORD error) {
  throw AppError(CannotCreateFileMessage(target, SystemErrorText(error)));
}

}  // namespace

FileReader::FileReader(std::wstring path)
    : path_(std::move(path)),
      file_(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
  if (!file_) throw AppError(CannotOpenFileMessage(path_, SystemErrorText(GetLastError())));
}

std::uint64_t FileReader::Size() const {
  LARGE_INTEGER size{};
  GetFileSizeEx(file_.Get(), &size);
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t FileReader::Read(void* buffer, std::size_t size) noexcept {
  if (error_ != ERROR_SUCCESS) return 0;
  DWORD read = 0;
  if (!ReadFile(file_.Get(), buffer, static_cast<DWORD>(size), &read, nullptr)) error_ = GetLastError();
  return read;
}

void FileReader::ThrowIfFailed() const {
  if (error_ != ERROR_SUCCESS) throw AppError(CannotOpenFileMessage(path_, SystemErrorText(error_)));
}

FileBeside::FileBeside(std::wstring target) : target_(std::move(target)) {
  const DWORD attributes = GetFileAttributesW(target_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw AppError(CannotCreateFileMessage(target_, L"A folder has that name."));
  do {  // CREATE_NEW never overwrites a left-over file of the same name: take the next name then
    name_ = UnusedNameBeside(target_);
    file_.Reset(CreateFileW(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  } while (!file_ && GetLastError() == ERROR_FILE_EXISTS);
  if (!file_) ThrowCannotCreate(target_, GetLastError());
}

FileBeside::~FileBeside() {
  if (committed_) return;
  file_.Reset();
  DeleteFileW(name_.c_str());
}

void FileBeside::WriteAt(std::uint64_t offset, const void* bytes, std::size_t size) {
  OVERLAPPED at{};  // the position, for a handle opened for plain synchronous writes
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD written = 0;
  if (!WriteFile(file_.Get(), bytes, static_cast<DWORD>(size), &written, &at))
    ThrowCannotCreate(target_, GetLastError());
  if (written != size) ThrowCannotCreate(target_, ERROR_HANDLE_DISK_FULL);
}

void FileBeside::CommitReplacing() {
  if (!Commit(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) ThrowCannotCreate(target_, GetLastError());
}

bool FileBeside::CommitWithoutReplacing() {
  if (Commit(MOVEFILE_WRITE_THROUGH)) return true;
  const DWORD error = GetLastError();
  if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) ThrowCannotCreate(target_, error);
  return false;
}

// Flushes and closes the file, then moves it to the target's name; false with the system's error
// when the move fails, with the file still under its own name.
bool FileBeside::Commit(DWORD moveFlags) {
  if (!FlushFileBuffers(file_.Get()) || !CloseHandle(file_.Release())) ThrowCannotCreate(target_, GetLastError());
  committed_ = MoveFileExW(name_.c_str(), target_.c_str(), moveFlags) != FALSE;
  return committed_;
}
