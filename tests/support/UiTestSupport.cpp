#include "tests/support/UiTestSupport.h"

#include <gtest/gtest.h>

#include "platform/FileDialogs.h"

void InstallUnexpectedBoxGuards() {
  SetBoxAnswerer([](const BoxCall& call) {
    ADD_FAILURE() << "unexpected box: " << testing::PrintToString(call.text);
    return IDNO;
  });
  SetFileDialogAnswerer([](const FileDialog& dialog) -> std::optional<std::vector<std::wstring>> {
    ADD_FAILURE() << "unexpected file dialog: " << testing::PrintToString(dialog.title);
    return std::nullopt;
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

BoxRecorder::~BoxRecorder() { InstallUnexpectedBoxGuards(); }

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

RECT ChildBounds(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return RECT{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}
