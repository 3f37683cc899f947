#include "platform/Boxes.h"

#include <commctrl.h>

#include "utilities/ErrorText.h"

namespace {

constexpr wchar_t kApplicationTitle[] = L"Quoxel";
constexpr wchar_t kConfirmationTitle[] = L"Confirm";
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

int Show(HWND owner, const BoxCall& call, UINT style) {
  if (g_answerer) return g_answerer(call);
  return MessageBoxW(owner, call.text.c_str(), call.caption.c_str(), style | MB_TASKMODAL);
}

bool AskYesNo(HWND owner, const std::wstring& question, int defaultAnswer) {
  if (!g_answerer)
    g_confirmationHook = SetWindowsHookExW(WH_CBT, WatchForConfirmationBox, nullptr, GetCurrentThreadId());
  const UINT defaultButton = defaultAnswer == IDNO ? MB_DEFBUTTON2 : MB_DEFBUTTON1;
  return Show(owner, {BoxKind::Confirmation, question, kConfirmationTitle, defaultAnswer},
              MB_YESNO | MB_ICONQUESTION | defaultButton) == IDYES;
}

}  // namespace

void SetBoxAnswerer(BoxAnswerer answerer) { g_answerer = std::move(answerer); }

void ShowNotice(HWND owner, const std::wstring& text) {
  Show(owner, {BoxKind::Notice, text, kApplicationTitle, IDOK}, MB_OK);
}

bool Confirm(HWND owner, const std::wstring& question) { return AskYesNo(owner, question, IDYES); }

bool ConfirmIrreversible(HWND owner, const std::wstring& question) { return AskYesNo(owner, question, IDNO); }

int AskYesNoCancel(HWND owner, const std::wstring& question) {
  return Show(owner, {BoxKind::Question, question, kConfirmationTitle, IDYES},
              MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1);
}

void ShowErrorBox(HWND owner, const std::wstring& message) {
  Show(owner, {BoxKind::Error, ErrorBoxText(message), kApplicationTitle, IDOK}, MB_OK | MB_ICONERROR);
}
