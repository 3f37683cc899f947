// Looks at and acts on the windows of the Wine desktop from outside the program under test:
//   winprobe wait CAPTION MILLISECONDS         exit 0 once a visible top-level window has the caption,
//                                              or a balloon notice shows it as its text
//   winprobe close CAPTION                     ask that window to close (WM_CLOSE); exit 0 when found
//   winprobe closeall CAPTION                  ask every top-level window with the caption to close
//   winprobe count CAPTION                     print how many top-level windows have the caption, and
//                                              how many of them are visible: "windows visible"
//   winprobe trayicons                         print how many icons the notification area holds
//   winprobe post CAPTION MESSAGE LPARAM       post a message (numbers in decimal or 0x hex)
//   winprobe keys VK...                        type virtual keys (hex) into the foreground window
//   winprobe type TEXT                         type the characters of TEXT into the foreground window
//   winprobe click X Y                         a left click at a point of the screen
//   winprobe rect CAPTION                      print the window's screen rectangle: left top width height
//   winprobe dump CAPTION                      print the window's visible controls, one a line:
//                                              class|left|top|right|bottom|text (screen coordinates),
//                                              then a list box's items (item|index|checked|l|t|r|b|text)
//                                              and a tree view's number of items (count|N)
//   winprobe tab CAPTION INDEX                 a left click on the page control's tab INDEX
//   winprobe tabs CAPTION                      print the page control's tab captions, one a line
//   winprobe repaint                           have every window of the desktop drawn anew
//   winprobe wallpaper [PATH]                  print the desktop wallpaper, or set it (a Wine prefix's own)
//   winprobe shortpath PATH                    print the path's short (8.3) form
//   winprobe describe CAPTION LIST-NAME        print what a screen reader hears of the named list's
//                                              items (its accessible name): describe|index|description
// A list box's items and a tab's rectangle are read as the user would see them; nothing is clicked by
// a control id.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace {

HWND FindVisible(const wchar_t* caption) {
  HWND window = FindWindowW(nullptr, caption);
  return window && IsWindowVisible(window) ? window : nullptr;
}

// A tooltip answers WM_GETTEXT with the text it shows; GetWindowText does not ask another process.
std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return text;
}

struct BalloonSearch {
  const wchar_t* text;
  bool found;
};

// The shell of the Wine desktop shows a balloon notice as a tooltip window of its own.
BOOL CALLBACK FindBalloon(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<BalloonSearch*>(context);
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (IsWindowVisible(window) && wcscmp(className, TOOLTIPS_CLASSW) == 0 && TextOf(window) == search->text)
    search->found = true;
  return !search->found;
}

bool BalloonShown(const wchar_t* text) {
  BalloonSearch search{text, false};
  EnumWindows(FindBalloon, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int Wait(const wchar_t* caption, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    if (FindVisible(caption) || BalloonShown(caption)) return 0;
    Sleep(100);
  }
  return 1;
}

int Close(const wchar_t* caption) {
  HWND window = FindWindowW(nullptr, caption);
  if (!window) return 1;
  PostMessageW(window, WM_CLOSE, 0, 0);
  return 0;
}

struct CaptionCount {
  const wchar_t* caption;
  bool close;
  int windows, visible;
};

BOOL CALLBACK CountCaption(HWND window, LPARAM context) {
  auto* count = reinterpret_cast<CaptionCount*>(context);
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  if (wcscmp(text, count->caption) != 0) return TRUE;
  ++count->windows;
  count->visible += IsWindowVisible(window) ? 1 : 0;
  if (count->close) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

CaptionCount CountWindows(const wchar_t* caption, bool close) {
  CaptionCount count{caption, close, 0, 0};
  EnumWindows(CountCaption, reinterpret_cast<LPARAM>(&count));
  return count;
}

int CloseAll(const wchar_t* caption) { return CountWindows(caption, true).windows > 0 ? 0 : 1; }

int Count(const wchar_t* caption) {
  const CaptionCount count = CountWindows(caption, false);
  printf("%d %d\n", count.windows, count.visible);
  return 0;
}

struct TipCount {
  HWND tray;
  int tips;
};

BOOL CALLBACK CountTrayTip(HWND window, LPARAM context) {
  auto* count = reinterpret_cast<TipCount*>(context);
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (wcscmp(className, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == count->tray) ++count->tips;
  return TRUE;
}

// The Wine desktop's taskbar gives each icon of its notification area a tooltip window of its own.
int TrayIcons() {
  TipCount count{FindWindowW(L"Shell_TrayWnd", nullptr), 0};
  if (!count.tray) return 1;
  EnumWindows(CountTrayTip, reinterpret_cast<LPARAM>(&count));
  printf("%d\n", count.tips);
  return 0;
}

int Post(const wchar_t* caption, const wchar_t* message, const wchar_t* lParam) {
  HWND window = FindWindowW(nullptr, caption);
  if (!window) return 1;
  PostMessageW(window, wcstoul(message, nullptr, 0), 0, wcstoul(lParam, nullptr, 0));
  return 0;
}

void SendKey(WORD vk, WORD scan, DWORD flags) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = vk;
  input[0].ki.wScan = input[1].ki.wScan = scan;
  input[0].ki.dwFlags = flags;
  input[1].ki.dwFlags = flags | KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

int Keys(int count, wchar_t** keys) {
  for (int i = 0; i < count; ++i) {
    SendKey(static_cast<WORD>(wcstoul(keys[i], nullptr, 16)), 0, 0);
    Sleep(150);
  }
  return 0;
}

int Type(const wchar_t* text) {
  for (const wchar_t* c = text; *c; ++c) {
    SendKey(0, *c, KEYEVENTF_UNICODE);
    Sleep(10);
  }
  Sleep(150);
  return 0;
}

// Each event carries the point: a press sent just after SetCursorPos alone could land where the
// pointer was before.
int Click(int x, int y) {
  SetCursorPos(x, y);
  INPUT input[3] = {};
  const DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 3; ++i) {
    input[i].type = INPUT_MOUSE;
    input[i].mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input[i].mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input[i].mi.dwFlags = flags[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  }
  SendInput(1, input, sizeof(INPUT));
  Sleep(50);
  SendInput(2, input + 1, sizeof(INPUT));
  Sleep(150);
  return 0;
}

int Rect(const wchar_t* caption) {
  HWND window = FindVisible(caption);
  RECT r;
  if (!window || !GetWindowRect(window, &r)) return 1;
  printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}

std::string Utf8(const std::wstring& text) {
  std::string out(text.size() * 3 + 1, '\0');
  out.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                                 static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

// List box messages carry their text across processes (Wine marshals them as Windows does).
void DumpListItems(HWND list) {
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    const LRESULT data = SendMessageW(list, LB_GETITEMDATA, i, 0);
    printf("item|%d|%d|%ld|%ld|%ld|%ld|%s\n", i, data == 1 ? 1 : 0, r.left, r.top, r.right, r.bottom,
           Utf8(text).c_str());
  }
}

BOOL CALLBACK DumpControl(HWND control, LPARAM) {
  if (!IsWindowVisible(control)) return TRUE;
  wchar_t className[64] = {};
  GetClassNameW(control, className, 64);
  const std::wstring text = TextOf(control);  // an edit's text is no caption
  RECT r;
  GetWindowRect(control, &r);
  printf("%s|%ld|%ld|%ld|%ld|%s\n", Utf8(className).c_str(), r.left, r.top, r.right, r.bottom, Utf8(text).c_str());
  if (_wcsicmp(className, L"ListBox") == 0) DumpListItems(control);
  if (_wcsicmp(className, WC_TREEVIEWW) == 0)
    printf("count|%d\n", static_cast<int>(SendMessageW(control, TVM_GETCOUNT, 0, 0)));
  return TRUE;
}

int Dump(const wchar_t* caption) {
  HWND window = FindVisible(caption);
  if (!window) return 1;
  EnumChildWindows(window, DumpControl, 0);
  return 0;
}

// The page control of a window and room in its program's memory: what a tab's messages point to is not
// carried across processes, so it is written and read there.
class RemoteTabs {
 public:
  explicit RemoteTabs(const wchar_t* caption) {
    HWND window = FindVisible(caption);
    tabs_ = window ? FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr) : nullptr;
    DWORD processId = 0;
    if (!tabs_ || !GetWindowThreadProcessId(tabs_, &processId)) return;
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_) remote_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, kRoom, MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteTabs() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteTabs(const RemoteTabs&) = delete;
  RemoteTabs& operator=(const RemoteTabs&) = delete;

  bool Found() const { return remote_ != nullptr; }
  HWND Tabs() const { return tabs_; }
  int Count() const { return static_cast<int>(SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0)); }
  bool ItemRect(int index, RECT& r) const {
    return SendMessageW(tabs_, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote_)) &&
           ReadProcessMemory(process_, remote_, &r, sizeof r, nullptr);
  }
  std::wstring Caption(int index) const {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(remote_ + sizeof item);
    item.cchTextMax = kTextLength;
    wchar_t text[kTextLength] = {};
    const bool read = WriteProcessMemory(process_, remote_, &item, sizeof item, nullptr) &&
                      SendMessageW(tabs_, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(remote_)) &&
                      ReadProcessMemory(process_, item.pszText, text, sizeof text - sizeof *text, nullptr);
    return read ? text : L"";
  }

 private:
  static constexpr int kTextLength = 256;
  static constexpr SIZE_T kRoom = sizeof(TCITEMW) + kTextLength * sizeof(wchar_t);
  HWND tabs_ = nullptr;
  HANDLE process_ = nullptr;
  char* remote_ = nullptr;
};

int Tab(const wchar_t* caption, int index) {
  const RemoteTabs tabs(caption);
  RECT r{};
  if (!tabs.Found() || !tabs.ItemRect(index, r)) return 1;
  MapWindowPoints(tabs.Tabs(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

int PrintTabs(const wchar_t* caption) {
  const RemoteTabs tabs(caption);
  if (!tabs.Found()) return 1;
  for (int index = 0; index < tabs.Count(); ++index) printf("%s\n", Utf8(tabs.Caption(index)).c_str());
  return 0;
}

// Has every window drawn anew, as after an exposure: under Wine a new wallpaper paints over them all.
BOOL CALLBACK RepaintWindow(HWND window, LPARAM) {
  if (IsWindowVisible(window))
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

int Repaint() {
  EnumWindows(RepaintWindow, 0);
  Sleep(300);
  return 0;
}

int Wallpaper(const wchar_t* path) {
  if (path)
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path), SPIF_SENDWININICHANGE) ? 0 : 1;
  wchar_t current[MAX_PATH] = {};
  if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0)) return 1;
  printf("%s\n", Utf8(current).c_str());
  return 0;
}

int ShortPath(const wchar_t* path) {
  wchar_t shortPath[MAX_PATH] = {};
  if (!GetShortPathNameW(path, shortPath, MAX_PATH)) return 1;
  printf("%s\n", Utf8(shortPath).c_str());
  return 0;
}

// The list found by the name a screen reader hears, through the accessibility interface as a reader
// asks it, across the process boundary.
struct NamedList {
  const wchar_t* name;
  IAccessible* object = nullptr;
  HWND list = nullptr;
};

BOOL CALLBACK FindNamedList(HWND control, LPARAM found) {
  auto& wanted = *reinterpret_cast<NamedList*>(found);
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object))))
    return TRUE;
  VARIANT self{};
  self.vt = VT_I4, self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const bool match = SUCCEEDED(object->get_accName(self, &name)) && name && std::wstring(name) == wanted.name;
  SysFreeString(name);
  if (!match) {
    object->Release();
    return TRUE;
  }
  wanted.object = object;
  wanted.list = control;
  return FALSE;
}

int Describe(const wchar_t* caption, const wchar_t* listName) {
  HWND window = FindVisible(caption);
  if (!window) return 1;
  CoInitialize(nullptr);
  NamedList list{listName};
  EnumChildWindows(window, FindNamedList, reinterpret_cast<LPARAM>(&list));
  if (!list.object) return 1;
  // The items as the list counts them: Wine's standard object counts child windows only.
  const long count = static_cast<long>(SendMessageW(list.list, LB_GETCOUNT, 0, 0));
  for (long child = 1; child <= count; ++child) {
    VARIANT item{};
    item.vt = VT_I4, item.lVal = child;
    BSTR text = nullptr;
    list.object->get_accDescription(item, &text);
    printf("describe|%ld|%s\n", child - 1, Utf8(text ? text : L"").c_str());
    SysFreeString(text);
  }
  list.object->Release();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n, as the scripts reading them expect
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"wait" && argc >= 4) return Wait(argv[2], wcstoul(argv[3], nullptr, 10));
  if (command == L"close" && argc >= 3) return Close(argv[2]);
  if (command == L"closeall" && argc >= 3) return CloseAll(argv[2]);
  if (command == L"count" && argc >= 3) return Count(argv[2]);
  if (command == L"trayicons") return TrayIcons();
  if (command == L"post" && argc >= 5) return Post(argv[2], argv[3], argv[4]);
  if (command == L"keys" && argc >= 3) return Keys(argc - 2, argv + 2);
  if (command == L"type" && argc >= 3) return Type(argv[2]);
  if (command == L"click" && argc >= 4) return Click(_wtoi(argv[2]), _wtoi(argv[3]));
  if (command == L"rect" && argc >= 3) return Rect(argv[2]);
  if (command == L"dump" && argc >= 3) return Dump(argv[2]);
  if (command == L"tab" && argc >= 4) return Tab(argv[2], _wtoi(argv[3]));
  if (command == L"tabs" && argc >= 3) return PrintTabs(argv[2]);
  if (command == L"repaint") return Repaint();
  if (command == L"wallpaper") return Wallpaper(argc >= 3 ? argv[2] : nullptr);
  if (command == L"shortpath" && argc >= 3) return ShortPath(argv[2]);
  if (command == L"describe" && argc >= 4) return Describe(argv[2], argv[3]);
  return 2;
}
