#include "platform/TextFiles.h"

#include <deque>
#include <map>

#include "platform/FileStreams.h"
#include "platform/Handles.h"
#include "platform/System.h"
#include "utilities/ErrorText.h"
#include "utilities/FileNames.h"
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

// The targets' old files, kept under a second name (a second link to the same file, or a copy where
// the drive has no links) while the new files take their places one by one. Each target is replaced
// in one step, so that at every moment it is there, old or new; on a failure the old ones go back.
class OldFilesKept {
 public:
  explicit OldFilesKept(const std::vector<FileBytes>& files) : files_(files), kept_(files.size()) {}
  ~OldFilesKept() {
    if (!done_) PutBack();
  }
  OldFilesKept(const OldFilesKept&) = delete;
  OldFilesKept& operator=(const OldFilesKept&) = delete;

  void KeepEach() {
    for (size_t i = 0; i < files_.size(); ++i) {
      const std::wstring& target = files_[i].first;
      if (!FileExists(target)) continue;
      const std::wstring old = OldFileBeside(target);
      DeleteFileW(old.c_str());  // left by a write that was cut short
      if (!CreateHardLinkW(old.c_str(), target.c_str(), nullptr) && !CopyFileW(target.c_str(), old.c_str(), FALSE))
        ThrowCannotCreate(target, GetLastError());
      kept_[i] = true;
    }
  }
  void Placed(size_t i) { placed_ = i + 1; }
  void Drop() {
    done_ = true;
    for (size_t i = 0; i < files_.size(); ++i)
      if (kept_[i]) DeleteFileW(OldFileBeside(files_[i].first).c_str());
  }

 private:
  // A target not replaced yet is still its old file, which the second name only links to.
  void PutBack() {
    for (size_t i = 0; i < files_.size(); ++i) {
      const std::wstring& target = files_[i].first;
      const std::wstring old = OldFileBeside(target);
      if (i >= placed_) {
        if (kept_[i]) DeleteFileW(old.c_str());
      } else if (kept_[i]) {
        MoveFileExW(old.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
      } else {
        DeleteFileW(target.c_str());  // there was no old file
      }
    }
  }

  const std::vector<FileBytes>& files_;
  std::vector<bool> kept_;
  size_t placed_ = 0;
  bool done_ = false;
};

ReplaceStepHook g_beforeReplace;

struct Leftover {
  std::wstring path;
  ULARGE_INTEGER written;
  bool empty;
};

// The files a cut-short write left in the folder, by the target they were for.
std::map<std::wstring, std::vector<Leftover>> LeftoversIn(const std::wstring& folder) {
  std::map<std::wstring, std::vector<Leftover>> leftovers;
  WIN32_FIND_DATAW found;
  ScopedFindHandle search(FindFirstFileW((folder + L"*").c_str(), &found));
  for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.Get(), &found)) {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring path = folder + found.cFileName;
    if (const auto target = LeftoverTarget(path))
      leftovers[*target].push_back({path,
                                    {{found.ftLastWriteTime.dwLowDateTime, found.ftLastWriteTime.dwHighDateTime}},
                                    found.nFileSizeHigh == 0 && found.nFileSizeLow == 0});
  }
  return leftovers;
}

// A target that a cut-short write left without any file takes the newest of its leftovers that holds
// something: the new file finished before the old one was moved aside, or else the old one.
void TakeNewestBack(const std::wstring& target, std::vector<Leftover>& leftovers) {
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  const Leftover* newest = nullptr;
  for (const Leftover& leftover : leftovers)
    if (!leftover.empty && (!newest || leftover.written.QuadPart > newest->written.QuadPart)) newest = &leftover;
  if (newest) MoveFileExW(newest->path.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
}

}  // namespace

std::string ReadWholeFile(const std::wstring& path, std::uint64_t limit) {
  FileReader file(path);
  if (file.Size() > limit)
    throw AppError(CannotOpenFileMessage(path, L"It is larger than " + std::to_wstring(limit >> 20) +
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

std::vector<std::wstring> DecodeListFileLines(const std::string& bytes, bool* exact) {
  return DecodeTextList(bytes, AnsiToWide, exact);
}

void WriteTextListFile(const std::wstring& path, const std::vector<std::wstring>& lines, ListEncoding encoding) {
  const std::string bytes = EncodeTextList(lines, WideToAnsi, encoding);
  FileBeside file(path);
  file.WriteAt(0, bytes.data(), bytes.size());
  file.CommitReplacing();
}

void WriteFilesTogether(const std::vector<FileBytes>& files) {
  std::deque<FileBeside> finished;  // each removed on a failure, unless it took its target's place
  for (const auto& [path, bytes] : files) finished.emplace_back(path).WriteAt(0, bytes.data(), bytes.size());
  OldFilesKept old(files);
  old.KeepEach();
  for (size_t i = 0; i < files.size(); ++i) {
    if (g_beforeReplace) g_beforeReplace(files[i].first);
    finished[i].CommitReplacing();
    old.Placed(i);
  }
  old.Drop();
}

void SetBeforeReplaceHook(ReplaceStepHook hook) { g_beforeReplace = std::move(hook); }

void RecoverCutShortWrites(const std::wstring& folder) {
  for (auto& [target, leftovers] : LeftoversIn(folder)) {
    TakeNewestBack(target, leftovers);
    for (const Leftover& leftover : leftovers) DeleteFileW(leftover.path.c_str());
  }
}
