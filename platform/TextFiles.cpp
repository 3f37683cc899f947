#include "platform/TextFiles.h"

#include <deque>

#include "platform/FileStreams.h"
#include "platform/System.h"
#include "utilities/ErrorText.h"
#include "utilities/TextListFile.h"

namespace {

TextListFileReader g_reader;

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
      if (!MoveFileExW(target.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING))
        ThrowCannotCreate(target, GetLastError());
      asides_[i] = aside;
    }
  }
  void PutInPlace(size_t i, FileBeside& finished) {
    if (!finished.CommitWithoutReplacing()) ThrowCannotCreate(files_[i].first, ERROR_ALREADY_EXISTS);
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

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
  FileReader file(path);
  if (file.Size() > kListFileLimit)
    throw AppError(CannotOpenFileMessage(path, L"It is larger than " + std::to_wstring(kListFileLimit >> 20) +
                                                   L" MiB, far more than any list the program keeps."));
  std::string bytes;
  char buffer[16384];
  for (std::size_t read; (read = file.Read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, read);
  file.ThrowIfFailed();
  return bytes;
}

std::vector<std::wstring> ReadTextListFile(const std::wstring& path, bool* exact, ListEncoding* encoding) {
  if (g_reader) return g_reader(path, exact);
  return DecodeTextList(ReadWholeFile(path), AnsiToWide, exact, encoding);
}

void SetTextListFileReader(TextListFileReader reader) { g_reader = std::move(reader); }

std::wstring DecodeListFileText(const std::string& bytes) { return DecodeListText(bytes, AnsiToWide); }

std::vector<std::wstring> DecodeListFileLines(const std::string& bytes) { return DecodeTextList(bytes, AnsiToWide); }

void WriteTextListFile(const std::wstring& path, const std::vector<std::wstring>& lines, ListEncoding encoding) {
  const std::string bytes = EncodeTextList(lines, WideToAnsi, encoding);
  FileBeside file(path);
  file.WriteAt(0, bytes.data(), bytes.size());
  file.CommitReplacing();
}

void WriteFilesTogether(const std::vector<FileBytes>& files) {
  std::deque<FileBeside> finished;  // each removed on a failure, unless it took its target's place
  for (const auto& [path, bytes] : files) finished.emplace_back(path).WriteAt(0, bytes.data(), bytes.size());
  FilesAside old(files);
  old.MoveOldFilesAside();
  for (size_t i = 0; i < files.size(); ++i) old.PutInPlace(i, finished[i]);
  old.Keep();
}
