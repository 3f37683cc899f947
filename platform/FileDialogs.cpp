#include "platform/FileDialogs.h"

#include <commdlg.h>

#include "platform/FileDialogFormat.h"

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

}  // namespace

void SetFileDialogAnswerer(FileDialogAnswerer answerer) { g_dialogAnswerer = std::move(answerer); }

bool FileDialog::Execute(HWND owner) {
  if (g_dialogAnswerer) {
    auto answer = g_dialogAnswerer(*this);
    if (!answer) return false;
    files = std::move(*answer);
    return true;
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
