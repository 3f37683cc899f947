#include "platform/FileDialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include "platform/FileDialogFormat.h"
#include "platform/SystemLibrary.h"

namespace {

FileDialogAnswerer g_dialogAnswerer;

using FileDialogCall = BOOL(WINAPI*)(OPENFILENAMEW*);

// The dialog library is loaded on the first dialog, not at every start of the program.
FileDialogCall DialogCall(FileDialog::Kind kind) {
  static HMODULE library = LoadLibraryW(L"comdlg32.dll");
  if (!library) return nullptr;
  return reinterpret_cast<FileDialogCall>(reinterpret_cast<void*>(
      GetProcAddress(library, kind == FileDialog::Kind::Save ? "GetSaveFileNameW" : "GetOpenFileNameW")));
}
// Room for many names from one folder in a multi-select dialog.
constexpr size_t kMultiSelectBufferLength = 32768;

// The folder chooser of the shell, in its resizable form with an edit for typing a path; that form
// needs COM, whose library is loaded only then.
std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& title) {
  static const auto initialize = SystemFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
  static const auto uninitialize = SystemFunction<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize");
  static const auto release = SystemFunction<decltype(&CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
  if (!initialize || !uninitialize || !release) return std::nullopt;
  const HRESULT com = initialize(nullptr, COINIT_APARTMENTTHREADED);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.empty() ? nullptr : title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
  std::optional<std::wstring> folder;
  if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info)) {
    std::wstring path(MAX_PATH, L'\0');
    if (SHGetPathFromIDListW(chosen, path.data())) folder = path.c_str();
    release(chosen);
  }
  if (SUCCEEDED(com)) uninitialize();
  return folder;
}

}  // namespace

void SetFileDialogAnswerer(FileDialogAnswerer answerer) { g_dialogAnswerer = std::move(answerer); }

bool FileDialog::Execute(HWND owner) {
  if (g_dialogAnswerer) {
    auto answer = g_dialogAnswerer(*this);
    if (!answer) return false;
    files = std::move(*answer);
    return true;
  }
  if (kind == Kind::Folder) {
    const std::optional<std::wstring> folder = ChooseFolder(owner, title);
    if (folder) files = {*folder};
    return folder.has_value();
  }
  std::wstring buffer(multiSelect ? kMultiSelectBufferLength : MAX_PATH + 1, L'\0');
  const std::wstring filterList = DialogFilterList(filter);
  const std::wstring extension = DialogDefaultExtension(defaultExtension);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filterList.empty() ? nullptr : filterList.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (multiSelect) ofn.Flags |= OFN_ALLOWMULTISELECT;
  if (overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  const FileDialogCall call = DialogCall(kind);
  if (!call || !call(&ofn)) return false;
  files = ChosenFiles(buffer);
  return true;
}
