// Moving between pages from the keyboard, wherever the focus is in the window, Tab between the page
// control and the page in front, and the access keys of the page in front.
#include "app/FrmMain.h"

namespace {

// The window whose keys the hook watches: there is one main window on the thread.
TFrmMain* g_watchedForm = nullptr;

bool IsKeyDown(int key) { return GetKeyState(key) < 0; }

bool IsWithin(HWND control, HWND window) { return window && (window == control || IsChild(control, window)); }

bool IsLabel(HWND control) { return IsWindowOfClass(control, WC_STATICW); }

}  // namespace

void TFrmMain::WatchPageKeys() {
  g_watchedForm = this;
  // Every message this thread takes from its queue passes the hook first, in the main loop and in
  // the loops of long work alike, before any control sees the key.
  pageKeysHook_.Reset(SetWindowsHookExW(WH_GETMESSAGE, PageKeysHook, nullptr, GetCurrentThreadId()));
}

void TFrmMain::StopWatchingPageKeys() {
  pageKeysHook_.Reset();
  if (g_watchedForm == this) g_watchedForm = nullptr;
}

LRESULT CALLBACK TFrmMain::PageKeysHook(int code, WPARAM wParam, LPARAM lParam) {
  auto& msg = *reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && g_watchedForm && g_watchedForm->TakePageKey(msg))
    msg.message = WM_NULL;  // the key is taken: no control sees it
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TFrmMain::TakePageKey(const MSG& msg) {
  if (msg.hwnd != handle_ && !IsChild(handle_, msg.hwnd)) return false;  // not in a box or dialog
  if (msg.message == WM_SYSKEYDOWN) ShowAccessKeys(handle_);             // from the first Alt on
  // Alt and a letter come as the character it types, whatever the keyboard's layout.
  if (msg.message == WM_SYSCHAR) return PressAccessKey(static_cast<wchar_t>(msg.wParam));
  if (msg.message != WM_KEYDOWN) return false;
  if (!IsKeyDown(VK_CONTROL)) return msg.wParam == VK_TAB && !IsKeyDown(VK_MENU) && TabPastThePage(IsKeyDown(VK_SHIFT));
  int step = 0;
  if (msg.wParam == VK_TAB) step = IsKeyDown(VK_SHIFT) ? -1 : 1;
  if (msg.wParam == VK_NEXT) step = 1;
  if (msg.wParam == VK_PRIOR) step = -1;
  if (step == 0) return false;
  // The move runs as an ordinary message, not inside the hook.
  PostMessageW(handle_, kMovePageMessage, static_cast<WPARAM>(step), 0);
  return true;
}

// The page control holds the pages, so the dialog keys' Tab goes from it into the page in front but
// never back out: past the page's last control (or before its first) the focus goes to the page control.
bool TFrmMain::TabPastThePage(bool backwards) {
  const HWND page = PageHandle(ActivePage());
  const HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
  if (!first) return false;
  const HWND last = GetNextDlgTabItem(page, first, TRUE);
  const HWND focus = GetFocus();
  HWND target = nullptr;
  if (backwards && focus == Tabit)
    target = last;
  else if (IsWithin(backwards ? first : last, focus))
    target = Tabit;
  if (!target) return false;
  SetFocus(target);
  return true;
}

// The focus stays where it is: a speed button takes none, and an edit or list that has it never sees
// the key. A check box or radio button takes the focus as with a click.
bool TFrmMain::PressAccessKey(wchar_t typed) {
  HWND control = AccessKeyControl(PageHandle(ActivePage()), typed);
  if (!control) return false;
  // The press runs as an ordinary message, not inside the hook. A label's key clicks the link after it.
  if (IsLabel(control)) {
    control = GetWindow(control, GW_HWNDNEXT);
    if (!control || !IsLabel(control) || !IsWindowEnabled(control)) return true;
    PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
  } else {
    PostMessageW(control, BM_CLICK, 0, 0);
  }
  return true;
}

void TFrmMain::MovePage(int step) {
  SetActivePage((ActivePage() + step + kPageCount) % kPageCount);
  SetFocus(Tabit);  // the control that had the focus may be on the page just hidden
  RunHandler([this] { TabitChange(); });
}
