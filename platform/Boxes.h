#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The modal boxes of the program: the plain notice, the Yes/No confirmation, the Yes/No/Cancel
// question and the error box.
enum class BoxKind { Notice, Confirmation, Question, Error };

struct BoxCall {
  BoxKind kind;
  std::wstring text;
  std::wstring caption;
  int defaultAnswer;  // what Enter answers: IDOK, IDYES or IDNO
};

// Answers a box instead of the user: returns IDOK, IDYES, IDNO or IDCANCEL. Tests install one so that no box
// ever waits for a person; an empty answerer brings the real boxes back.
using BoxAnswerer = std::function<int(const BoxCall&)>;
void SetBoxAnswerer(BoxAnswerer answerer);

// Text, OK button, no icon, caption "Quoxel".
void ShowNotice(HWND owner, const std::wstring& text);
// Question icon, Yes (the default) and No; Esc answers No. True only for Yes.
bool Confirm(HWND owner, const std::wstring& question);
// The same for a step that cannot be undone, with No the default: Enter answers No too.
bool ConfirmIrreversible(HWND owner, const std::wstring& question);
// Question icon, Yes (the default), No and Cancel; Esc answers Cancel. Returns IDYES, IDNO or IDCANCEL.
int AskYesNoCancel(HWND owner, const std::wstring& question);
// Error icon, caption "Quoxel"; the message gets a full stop when its last character sorts after ".".
void ShowErrorBox(HWND owner, const std::wstring& message);
