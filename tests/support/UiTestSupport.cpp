#include "tests/support/UiTestSupport.h"

#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/HighContrast.h"
#include "platform/RunAtStartup.h"
#include "platform/Shell.h"
#include "platform/Shutdown.h"
#include "platform/TextFiles.h"
#include "platform/Wallpaper.h"
#include "ui/Controls.h"

void InstallTestGuards() {
  SetNotifyIconTaker([](DWORD, const NOTIFYICONDATAW&) {});
  SetBrowserOpener(
      [](const std::wstring& address) { ADD_FAILURE() << "unexpected browser: " << testing::PrintToString(address); });
  SetPopupMenuChooser([](HMENU, POINT) -> UINT {
    ADD_FAILURE() << "unexpected popup menu";
    return 0;
  });
  SetBoxAnswerer([](const BoxCall& call) {
    ADD_FAILURE() << "unexpected box: " << testing::PrintToString(call.text);
    return IDNO;
  });
  SetFileDialogAnswerer([](const FileDialog& dialog) -> std::optional<std::vector<std::wstring>> {
    ADD_FAILURE() << "unexpected file dialog: " << testing::PrintToString(dialog.title);
    return std::nullopt;
  });
  SetWallpaperSetter(
      [](const std::wstring& path) { ADD_FAILURE() << "unexpected wallpaper: " << testing::PrintToString(path); });
  SetWallpaperStyleWriter([](const std::wstring& style, const std::wstring&) {
    ADD_FAILURE() << "unexpected wallpaper style: " << testing::PrintToString(style);
  });
  SetProgramStarter([](const std::wstring& program, const std::wstring&, int) {
    ADD_FAILURE() << "unexpected program start: " << testing::PrintToString(program);
  });
  SetClockReader(nullptr);
  SetSteadyClockReader(nullptr);
  SetHighContrastReader([] { return false; });  // the program's own colours, whatever the machine's setting
  SetPauseTaker(nullptr);
  SetTextListFileReader(nullptr);
  SetBeforeReplaceHook(nullptr);
  // A forced request that got through would end the test program with a passing status.
  // The user's Run key is neither read nor written: a test keeps its values in memory.
  SetRunValueSeam([](const std::wstring&) { return std::optional<std::wstring>(); },
                  [](const std::wstring& name, const std::optional<std::wstring>&) {
                    ADD_FAILURE() << "unexpected Run value change: " << testing::PrintToString(name);
                    return false;
                  });
  SetExitWindowsTaker([](UINT flags, bool) {
    ADD_FAILURE() << "unexpected request to end the session, flags " << flags;
    return false;
  });
}

BoxRecorder::BoxRecorder(std::deque<int> answers) : answers_(std::move(answers)) {
  SetBoxAnswerer([this](const BoxCall& call) {
    calls_.push_back(call);
    if (answers_.empty()) return IDOK;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  });
}

BoxRecorder::~BoxRecorder() {
  SetBoxAnswerer([](const BoxCall& call) {
    ADD_FAILURE() << "unexpected box: " << testing::PrintToString(call.text);
    return IDNO;
  });
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

RECT ChildBounds(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return RECT{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void ClickTab(HWND tabControl, int index) {
  RECT rect;
  SendMessageW(tabControl, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
  const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  PostMessageW(tabControl, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(tabControl, WM_LBUTTONUP, 0, point);
  PumpMessages();
}

void DoubleClick(HWND window, POINT at) {
  const LPARAM point = MAKELPARAM(at.x, at.y);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(window, WM_LBUTTONUP, 0, point);
  PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  PostMessageW(window, WM_LBUTTONUP, 0, point);
  PumpMessages();
}

void PressWithCtrl(HWND window, WPARAM key, bool shift) {
  BYTE keys[256] = {};
  keys[VK_CONTROL] = 0x80;
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  PostMessageW(window, WM_KEYDOWN, key, 0);
  PumpMessages();
  keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

POINT IconCentre(HWND listView, int position) {
  RECT rect{};
  rect.left = LVIR_ICON;
  SendMessageW(listView, LVM_GETITEMRECT, position, reinterpret_cast<LPARAM>(&rect));
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void Click(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  const LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(window, WM_LBUTTONUP, 0, point);
  PumpMessages();
}

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  if (std::FILE* file = _wfopen(path.c_str(), L"rb")) {
    char buffer[4096];
    while (const size_t read = std::fread(buffer, 1, sizeof buffer, file)) bytes.append(buffer, read);
    std::fclose(file);
  }
  return bytes;
}

void ClickListItem(HWND list, int index, int x) {
  RECT rect;
  SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
  const LPARAM point = MAKELPARAM(rect.left + x, (rect.top + rect.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(list, WM_LBUTTONUP, 0, point);
  PumpMessages();
}

std::vector<std::wstring> ListItems(HWND list) {
  std::vector<std::wstring> items;
  for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) items.push_back(ListBoxText(list, i));
  return items;
}

std::wstring AccessibleItemDescription(HWND list, long child) {
  IAccessible* object = nullptr;
  BSTR text = nullptr;
  VARIANT item{};
  item.vt = VT_I4, item.lVal = child;
  if (SUCCEEDED(AccessibleObjectFromWindow(list, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object))))
    object->get_accDescription(item, &text), object->Release();
  const std::wstring described = text ? text : L"";
  SysFreeString(text);
  return described;
}

void DropFiles(HWND target, const std::vector<std::wstring>& paths) {
  std::wstring list;  // each path ended, and the list ended, by a NUL
  for (const std::wstring& path : paths) list += path + L'\0';
  list += L'\0';
  const size_t listBytes = list.size() * sizeof(wchar_t);
  const HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + listBytes);
  auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(header + 1, list.data(), listBytes);
  GlobalUnlock(drop);
  SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);  // the receiver frees it (DragFinish)
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(file, nullptr) << testing::PrintToString(path);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

ScratchDataFolder::ScratchDataFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  root_ = std::wstring(temp) + L"quoxel-" + name + L"-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(root_.c_str(), nullptr);
  CreateDirectoryW((root_ + L"\\Data").c_str(), nullptr);
}

// With everything below it, sub-folders a test made included.
ScratchDataFolder::~ScratchDataFolder() {
  std::wstring from = root_ + L'\0';  // a list of paths, ended by an empty one
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  SHFileOperationW(&operation);
}
