#include "platform/FileAccess.h"

#include <windows.h>
#include <winternl.h>

#include <utility>
#include <vector>

#include "platform/SystemLibrary.h"

namespace {

constexpr DWORD kShareNothing = 0;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The object's own name, when the system gives it as a path on a drive ("\??\C:\..."), in the form
// "\\?\C:\..."; empty otherwise. Wine names a file so, with every link on the way resolved.
std::wstring DrivePathFromObjectName(HANDLE handle) {
  using QueryObject = NTSTATUS(NTAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, PVOID, ULONG, PULONG);
  static const auto queryObject = SystemFunction<QueryObject>(L"ntdll.dll", "NtQueryObject");
  constexpr ULONG kLongestName = 32768 * sizeof(wchar_t);
  std::vector<std::uint64_t> buffer((sizeof(UNICODE_STRING) + kLongestName) / sizeof(std::uint64_t) + 1);
  ULONG needed = 0;
  if (!queryObject || queryObject(handle, ObjectNameInformation, buffer.data(),
                                  static_cast<ULONG>(buffer.size() * sizeof buffer[0]), &needed) != 0)
    return L"";
  const auto& name = *reinterpret_cast<const UNICODE_STRING*>(buffer.data());
  const std::wstring path(name.Buffer, name.Length / sizeof(wchar_t));
  const bool onDrive = path.size() > 6 && path.compare(0, 4, L"\\??\\") == 0 && path[5] == L':' && path[6] == L'\\';
  return onDrive ? L"\\\\?\\" + path.substr(4) : L"";
}

std::wstring FinalPathOf(HANDLE handle) {
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    // Wine's call gives up on a path longer than about 260 characters, and says it needs more room.
    if (length == 0) return GetLastError() == ERROR_MORE_DATA ? DrivePathFromObjectName(handle) : L"";
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(length + 1);  // the length it needs, terminator included
  }
}

DWORD AccessFor(ExclusiveFile::Purpose purpose) {
  return purpose == ExclusiveFile::Purpose::Check ? GENERIC_READ | GENERIC_WRITE
                                                  : DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
}

}  // namespace

void RunWithoutFileSystemRedirection(const std::function<void()>& work) {
  struct Redirection {
    PVOID state = nullptr;
    // Fails where nothing is redirected (a 64-bit program, 32-bit Windows), and changes nothing then.
    const bool turnedOff = Wow64DisableWow64FsRedirection(&state) != FALSE;
    ~Redirection() {
      if (turnedOff) Wow64RevertWow64FsRedirection(state);
    }
  } redirection;
  work();
}

std::optional<FolderLocation> LocateFolder(const std::wstring& folder) {
  const ScopedHandle handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  if (!handle || !GetFileInformationByHandle(handle.Get(), &information)) return std::nullopt;
  std::wstring path = FinalPathOf(handle.Get());
  if (path.empty()) return std::nullopt;
  return FolderLocation{std::move(path), information.dwVolumeSerialNumber};
}

ExclusiveFile::ExclusiveFile(const std::wstring& path, Purpose purpose)
    : handle_(CreateFileW(path.c_str(), AccessFor(purpose), kShareNothing, nullptr, OPEN_EXISTING,
                          FILE_FLAG_OPEN_REPARSE_POINT, nullptr)) {
  if (!handle_) openError_ = GetLastError();
}

bool ExclusiveFile::WasRefused() const {
  return openError_ == ERROR_SHARING_VIOLATION || openError_ == ERROR_LOCK_VIOLATION ||
         openError_ == ERROR_ACCESS_DENIED;
}

std::optional<FileIdentity> ExclusiveFile::PlainFileIdentity() const {
  BY_HANDLE_FILE_INFORMATION information;
  if (!handle_ || !GetFileInformationByHandle(handle_.Get(), &information)) return std::nullopt;
  if (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return std::nullopt;
  return FileIdentity{information.dwVolumeSerialNumber,
                      static_cast<std::uint64_t>(information.nFileIndexHigh) << 32 | information.nFileIndexLow};
}

std::wstring ExclusiveFile::FinalPath() const { return handle_ ? FinalPathOf(handle_.Get()) : L""; }

bool ExclusiveFile::Delete() {
  FILE_BASIC_INFO basic{};
  if (!GetFileInformationByHandleEx(handle_.Get(), FileBasicInfo, &basic, sizeof basic)) return false;
  if (basic.FileAttributes & FILE_ATTRIBUTE_READONLY) {
    // A read-only file cannot be deleted. Only the attributes change: zero times are left as they are,
    // and zero attributes too, hence "normal" when nothing else is left.
    FILE_BASIC_INFO change{};
    change.FileAttributes = basic.FileAttributes & ~FILE_ATTRIBUTE_READONLY;
    if (change.FileAttributes == 0) change.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(handle_.Get(), FileBasicInfo, &change, sizeof change)) return false;
  }
  FILE_DISPOSITION_INFO disposition{TRUE};
  if (!SetFileInformationByHandle(handle_.Get(), FileDispositionInfo, &disposition, sizeof disposition)) return false;
  handle_.Reset();
  return true;
}
