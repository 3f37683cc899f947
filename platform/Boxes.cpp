#include "platform/Boxes.h"

#include <commctrl.h>

#include "utilities/ErrorText.h"

namespace {

constexpr wchar_t kApplicationTitle[] = L"Quoxel";
BoxAnswerer g_answerer;
HHOOK g_confirmationHook = nullptr;

LRESULT CALLBACK EscapeAnswersNo(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  // A Yes/No message box ignores Esc; here Esc (and the close command) mean No.
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(box, IDNO);
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, EscapeAnswersNo, 0);
  return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK WatchForConfirmationBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    SetWindowSubclass(reinterpret_cast<HWND>(wParam), EscapeAnswersNo, 0, 0);
    UnhookWindowsHookEx(g_confirmationHook);
    g_confirmationHook = nullptr;
    return 0;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int Show(HWND owner, BoxKind kind, const std::wstring& text, const wchar_t* caption, UINT style) {
  if (g_answerer) return g_answerer(BoxCall{kind, text, caption});
  return MessageBoxW(owner, text.c_str(), caption, style | MB_TASKMODAL);
}

}  // namespace

void SetBoxAnswerer(BoxAnswerer answerer) { g_answerer = std::move(answerer); }

void ShowNotice(HWND owner, const std::wstring& text) { Show(owner, BoxKind::Notice, text, kApplicationTitle, MB_OK); }

bool Confirm(HWND owner, const std::wstring& question) {
  if (!g_answerer)
    g_confirmationHook = SetWindowsHookExW(WH_CBT, WatchForConfirmationBox, nullptr, GetCurrentThreadId());
  return Show(owner, BoxKind::Confirmation, question, L"Confirm", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

void ShowErrorBox(HWND owner, const std::wstring& message) {
  Show(owner, BoxKind::Error, ErrorBoxText(message), kApplicationTitle, MB_OK | MB_ICONERROR);
}
