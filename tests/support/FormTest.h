#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Shell.h"
#include "platform/System.h"
#include "tests/support/UiTestSupport.h"
#include "app/FrmMain.h"

// A test with the main window built and shown; the balloon notices it shows are collected as
// (text, title) instead of reaching the desktop, and the tray icon's tip is kept.
class FormTest : public testing::Test {
 protected:
  void SetUp() override {
    SetNotifyIconTaker([this](DWORD message, const NOTIFYICONDATAW& data) {
      if (message == NIM_MODIFY && (data.uFlags & NIF_INFO)) balloons.emplace_back(data.szInfo, data.szInfoTitle);
      if (data.uFlags & NIF_TIP) tip = data.szTip;
    });
    form = std::make_unique<TFrmMain>(GetModuleHandleW(nullptr), ProgramFolder());
    ShowWindow(form->Handle(), SW_SHOWNORMAL);
    PumpMessages();
  }
  // Brings the page to the front as a user does, by its tab; its controls are made when first shown.
  void ShowPage(int page) { ClickTab(form->Tabit, page); }
  // Shows each page in turn, then Home again: for tests that go through the controls of every page.
  void ShowEveryPage() {
    for (int page = kPageCount - 1; page >= kPageHome; --page) ShowPage(page);
  }
  // The folder the window takes as the program's, with the Data folder below it.
  virtual std::wstring ProgramFolder() const { return ExecutableFolder(); }
  void TearDown() override {
    form.reset();
    InstallTestGuards();
  }

  std::unique_ptr<TFrmMain> form;
  std::vector<std::pair<std::wstring, std::wstring>> balloons;
  std::wstring tip;  // the tray icon's, as last set
};
