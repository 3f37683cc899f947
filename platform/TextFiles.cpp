#include "platform/TextFiles.h"

#include <atomic>

#include "platform/Handles.h"
#include "platform/System.h"
#include "utilities/ErrorText.h"
#include "utilities/TextListFile.h"

namespace {

std::wstring AnsiToWide(const std::string& bytes) {
  if (bytes.empty()) return std::wstring();
  const int size = static_cast<int>(bytes.size());
  std::wstring text(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), static_cast<int>(text.size()));
  return text;
}

// Nothing when a character would turn into the default character or a look-alike.
std::optional<std::string> WideToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr, &usedDefault);
  if (length == 0 || usedDefault) return std::nullopt;  // 0: a code page that cannot tell, such as UTF-8
  std::string bytes(length, '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

[[noreturn]] void ThrowCannotOpen(const std::wstring& path) {
  throw AppError(CannotOpenFileMessage(path, SystemErrorText(GetLastError())));
}

// A name beside the target that no other writer, in this process or another, uses at the same time.
std::wstring TemporaryNameBeside(const std::wstring& target) {
  static std::atomic<unsigned> counter{0};
  return target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".tmp";
}

// Writes the bytes to a new file beside the target and closes it; its name goes to `created` once
// the file exists. Returns the system's error code, ERROR_SUCCESS when all is on the disk.
DWORD WriteTemporaryBeside(const std::wstring& target, const std::string& bytes, std::wstring& created) {
  std::wstring name;
  ScopedHandle file;
  do {  // CREATE_NEW never overwrites a left-over file of the same name: take the next name then
    name = TemporaryNameBeside(target);
    file.Reset(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  } while (!file && GetLastError() == ERROR_FILE_EXISTS);
  if (!file) return GetLastError();
  created = name;
  DWORD written = 0;
  if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      !FlushFileBuffers(file.Get()) || !CloseHandle(file.Release()))
    return GetLastError();
  return written == bytes.size() ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

[[noreturn]] void ThrowCannotCreate(const std::wstring& path, DWORD error) {
  throw AppError(CannotCreateFileMessage(path, SystemErrorText(error)));
}

// The targets' old files while new ones take their places; put back unless Keep() is called.
class FilesAside {
 public:
  explicit FilesAside(const std::vector<FileBytes>& files) : files_(files), asides_(files.size()) {}
  ~FilesAside() {
    if (kept_) return;
    for (size_t i = 0; i < placed_; ++i)
      if (asides_[i].empty()) DeleteFileW(files_[i].first.c_str());  // there was no old file
    for (size_t i = 0; i < files_.size(); ++i)
      if (!asides_[i].empty()) MoveFileExW(asides_[i].c_str(), files_[i].first.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  FilesAside(const FilesAside&) = delete;
  FilesAside& operator=(const FilesAside&) = delete;

  void MoveOldFilesAside() {
    for (size_t i = 0; i < files_.size(); ++i) {
      const std::wstring& target = files_[i].first;
      if (!FileExists(target)) continue;
      const std::wstring aside = target + L".old";
      if (!MoveFileExW(target.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) ThrowCannotCreate(target, GetLastError());
      asides_[i] = aside;
    }
  }
  void PutInPlace(size_t i, const std::wstring& finished) {
    if (!MoveFileExW(finished.c_str(), files_[i].first.c_str(), MOVEFILE_WRITE_THROUGH))
      ThrowCannotCreate(files_[i].first, GetLastError());
    placed_ = i + 1;
  }
  void Keep() {
    kept_ = true;
    for (const std::wstring& aside : asides_)
      if (!aside.empty()) DeleteFileW(aside.c_str());
  }

 private:
  const std::vector<FileBytes>& files_;
  std::vector<std::wstring> asides_;
  size_t placed_ = 0;
  bool kept_ = false;
};

// Puts a finished file in the target's place, replacing it; the finished file stays where it was on
// failure.
void MoveOver(const std::wstring& finished, const std::wstring& target) {
  if (!MoveFileExW(finished.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw AppError(CannotCreateFileMessage(target, SystemErrorText(GetLastError())));
}

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
  ScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowCannotOpen(path);
  std::string bytes;
  char buffer[16384];
  for (DWORD read = 0;; bytes.append(buffer, read)) {
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) ThrowCannotOpen(path);
    if (read == 0) return bytes;
  }
}

std::vector<std::wstring> ReadTextListFile(const std::wstring& path, bool* exact) {
  return DecodeTextList(ReadWholeFile(path), AnsiToWide, exact);
}

std::wstring DecodeListFileText(const std::string& bytes) { return DecodeListText(bytes, AnsiToWide); }

std::vector<std::wstring> DecodeListFileLines(const std::string& bytes) { return DecodeTextList(bytes, AnsiToWide); }


void WriteTextListFile(const std::wstring& path, const std::vector<std::wstring>& lines) {
  std::wstring temporary;
  const DWORD error = WriteTemporaryBeside(path, EncodeTextList(lines, WideToAnsi), temporary);
  try {
    if (error != ERROR_SUCCESS) throw AppError(CannotCreateFileMessage(path, SystemErrorText(error)));
    MoveOver(temporary, path);
  } catch (const AppError&) {
    if (!temporary.empty()) DeleteFileW(temporary.c_str());
    throw;
  }
}

void WriteFilesTogether(const std::vector<FileBytes>& files) {
  std::vector<std::wstring> finished(files.size());
  try {
    for (size_t i = 0; i < files.size(); ++i)
      if (const DWORD error = WriteTemporaryBeside(files[i].first, files[i].second, finished[i]); error != ERROR_SUCCESS)
        ThrowCannotCreate(files[i].first, error);
    FilesAside old(files);
    old.MoveOldFilesAside();
    for (size_t i = 0; i < files.size(); ++i) old.PutInPlace(i, finished[i]);
    old.Keep();
  } catch (const AppError&) {
    for (const std::wstring& name : finished)
      if (!name.empty()) DeleteFileW(name.c_str());
    throw;
  }
}

void WriteFileWithoutReplacing(const std::wstring& path, const std::string& bytes) {
  std::wstring temporary;
  DWORD error = WriteTemporaryBeside(path, bytes, temporary);
  if (error == ERROR_SUCCESS && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) return;
  if (error == ERROR_SUCCESS) error = GetLastError();
  if (!temporary.empty()) DeleteFileW(temporary.c_str());
  // A file that took the name meanwhile is kept as it is.
  if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
    throw AppError(CannotCreateFileMessage(path, SystemErrorText(error)));
}
