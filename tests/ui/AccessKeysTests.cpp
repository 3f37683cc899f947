// Every tool from the keyboard, named for screen readers, and in the system's colours: each page's
// access keys, the names and roles read through the accessibility interface, and high contrast.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <uxtheme.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <iterator>

#include "platform/HighContrast.h"
#include "tests/support/FormTest.h"
#include "tools/admin/AdminTool.h"
#include "tools/alarm/AlarmTool.h"
#include "tools/catalogue/CatalogueTool.h"
#include "tools/cleaner/CleanerTool.h"
#include "tools/disk/DiskTool.h"
#include "tools/renamer/RenamerTool.h"
#include "tools/shutdown/ShutdownTool.h"
#include "tools/wallpaper/WallpaperTool.h"

namespace {

struct ScreenReaderView {
  std::wstring name, shortcut;
  long role = -1, state = -1;
};

ScreenReaderView ReadAsScreenReader(HWND window) {
  ScreenReaderView view;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object))))
    return view;
  VARIANT self{}, number{};
  self.vt = VT_I4;  // CHILDID_SELF
  BSTR name = nullptr, shortcut = nullptr;
  if (object->get_accName(self, &name) == S_OK) view.name = name;
  if (object->get_accKeyboardShortcut(self, &shortcut) == S_OK) view.shortcut = shortcut;
  SysFreeString(name);
  SysFreeString(shortcut);
  if (object->get_accRole(self, &number) == S_OK) view.role = number.lVal;
  if (object->get_accState(self, &number) == S_OK) view.state = number.lVal;
  object->Release();
  return view;
}

// Takes the clicks a page's controls report before the page runs their handlers (a search, a file
// dialog, the wallpaper, the browser), keeping which control reported (a label's click, STN_CLICKED, is
// the same code as a button's).
LRESULT CALLBACK CatchClicks(HWND page, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR clicked) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return DefSubclassProc(page, message, wParam, lParam);
  reinterpret_cast<std::vector<HWND>*>(clicked)->push_back(reinterpret_cast<HWND>(lParam));
  return 0;
}

// A part of a control: an editable combo box's edit, a time picker's spin button.
HWND PartOf(HWND control, const wchar_t* partClass) { return FindWindowExW(control, nullptr, partClass, nullptr); }

bool IsSpeedButton(HWND control) { return IsWindowOfClass(control, L"QuoxelSpeedButton"); }

// Alt and the key typed where the focus is, as the keyboard's translation delivers it.
void TypeAltKey(wchar_t key) {
  PostMessageW(GetFocus(), WM_SYSCHAR, towlower(key), 1 << 29);
  PumpMessages();
}

// Whether a control of the page, shown or not, has the key.
bool UsesKey(HWND page, wchar_t key) {
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (AccessKeyOf(child) == key) return true;
  return false;
}

class AccessKeys : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ShowEveryPage();
  }
};

}  // namespace

// From the page control and each focusable control of its page, Alt with the key presses the button
// as a click does; a speed button leaves the focus where it was and reads as a push button. Disabled,
// or on a page behind, it does nothing. The underlines show from the first Alt on (or always, where
// the user's setting asks for it).
TEST_F(AccessKeys, EachKeyPressesItsButtonFromAnywhereOnItsPageOnly) {
  CoInitialize(nullptr);  // for the accessibility interface, in this test's thread
  BOOL always = FALSE;
  SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0);
  EXPECT_EQ(AccessKeysShown(form->BtnMinTray), always != FALSE);
  PostMessageW(form->Kuvakkeet, WM_SYSKEYDOWN, VK_MENU, 1 << 29);
  PumpMessages();
  EXPECT_TRUE(AccessKeysShown(form->BtnMinTray));
  const struct {
    int page;
    wchar_t key;
    HWND button;
    const char* handler;
  } rows[] = {
      {kPageHome, L'M', form->BtnMinTray, "BtnMinTrayClick"},
      {kPageHome, L'U', form->LblLink1, "LblLink1Click (the key of the label before it)"},
      {PageOf<DiskTool>(), L'S', form->ToolAs<DiskTool>().BtnKovoIsoimmat, "BtnKovoIsoimmatClick"},
      {PageOf<DiskTool>(), L'A', form->ToolAs<DiskTool>().ChkSAlert, "ChkSAlertClick"},
      {PageOf<CleanerTool>(), L'S', form->ToolAs<CleanerTool>().BtnETF, "BtnETFClick"},
      {PageOf<CleanerTool>(), L'F', form->ToolAs<CleanerTool>().BtnETFFix, "BtnETFFixClick"},
      {PageOf<CatalogueTool>(), L'U', form->ToolAs<CatalogueTool>().BtnUpdate1, "BtnUpdate1Click"},
      {PageOf<CatalogueTool>(), L'D', form->ToolAs<CatalogueTool>().LblSLink,
       "LblSLinkClick (the key of the label before it)"},
      {PageOf<AlarmTool>(), L'S', form->ToolAs<AlarmTool>().BtnAlarmFile, "BtnAlarmFileClick"},
      {PageOf<AlarmTool>(), L'A', form->ToolAs<AlarmTool>().BtnSetAlarm, "BtnSetAlarmClick"},
      {PageOf<RenamerTool>(), L'A', form->ToolAs<RenamerTool>().BtnAddF, "BtnAddFClick"},
      {PageOf<RenamerTool>(), L'R', form->ToolAs<RenamerTool>().BtnRem1, "BtnRem1Click"},
      {PageOf<RenamerTool>(), L'U', form->ToolAs<RenamerTool>().BtnMU, "BtnMUClick"},
      {PageOf<RenamerTool>(), L'D', form->ToolAs<RenamerTool>().BtnMD, "BtnMDClick"},
      {PageOf<RenamerTool>(), L'K', form->ToolAs<RenamerTool>().ChkCopy, "the check box's own mark"},
      {PageOf<RenamerTool>(), L'C', form->ToolAs<RenamerTool>().BtnConv, "BtnConvClick"},
      {PageOf<RenamerTool>(), L'W', form->ToolAs<RenamerTool>().ChkWidth, "the check box's own mark"},
      {PageOf<RenamerTool>(), L'L', form->ToolAs<RenamerTool>().BtnUndo, "BtnUndoClick"},
      {PageOf<ShutdownTool>(), L'S', form->ToolAs<ShutdownTool>().Rd1, "the radio button's own choice"},
      {PageOf<ShutdownTool>(), L'R', form->ToolAs<ShutdownTool>().Rd2, "the radio button's own choice"},
      {PageOf<ShutdownTool>(), L'T', form->ToolAs<ShutdownTool>().BtnShut, "BtnShutClick"},
      {PageOf<WallpaperTool>(), L'A', form->ToolAs<WallpaperTool>().BtnAddW, "BtnAddWClick"},
      {PageOf<WallpaperTool>(), L'R', form->ToolAs<WallpaperTool>().BtnWRem, "BtnWRemClick"},
      {PageOf<WallpaperTool>(), L'U', form->ToolAs<WallpaperTool>().BtnMUp2, "BtnMUp2Click"},
      {PageOf<WallpaperTool>(), L'D', form->ToolAs<WallpaperTool>().BtnMD2, "BtnMD2Click"},
      {PageOf<WallpaperTool>(), L'W', form->ToolAs<WallpaperTool>().BtnRWP, "BtnRWPClick"},
      {PageOf<AdminTool>(), L'F', form->ToolAs<AdminTool>().BtnFI, "BtnFIClick"},
      {PageOf<AdminTool>(), L'I', form->ToolAs<AdminTool>().BtnGInf, "BtnGInfClick"},
  };
  for (const auto& row : rows) {
    form->SetActivePage(row.page);
    EnableWindow(row.button, TRUE);
    const HWND page = form->PageHandle(row.page);
    std::vector<HWND> clicked;
    SetWindowSubclass(page, CatchClicks, 0, reinterpret_cast<DWORD_PTR>(&clicked));
    std::vector<HWND> places{form->Tabit};  // the page control, then each control Tab reaches on the page
    const HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
    for (HWND next = first; next && (places.size() == 1 || next != first); next = GetNextDlgTabItem(page, next, FALSE))
      places.push_back(next);
    for (HWND at : places) {
      SetFocus(at);
      const HWND focus = GetFocus();
      TypeAltKey(row.key);
      EXPECT_EQ(clicked, std::vector<HWND>{row.button}) << row.handler;
      EXPECT_TRUE(!IsSpeedButton(row.button) || GetFocus() == focus) << row.handler;
      clicked.clear();
    }
    if (IsSpeedButton(row.button)) {
      const ScreenReaderView view = ReadAsScreenReader(row.button);
      EXPECT_EQ(view.name, WindowTextOf(row.button));
      EXPECT_EQ(view.role, ROLE_SYSTEM_PUSHBUTTON);
      EXPECT_EQ(view.shortcut, std::wstring(L"Alt+") + row.key);
      EXPECT_EQ(view.state & STATE_SYSTEM_UNAVAILABLE, 0) << row.handler;
    }
    EnableWindow(row.button, FALSE);
    EXPECT_TRUE(!IsSpeedButton(row.button) || ReadAsScreenReader(row.button).state & STATE_SYSTEM_UNAVAILABLE);
    TypeAltKey(row.key);
    EnableWindow(row.button, TRUE);
    int behind = 0;  // a page whose own keys leave this one free
    while (behind == row.page || UsesKey(form->PageHandle(behind), row.key)) ++behind;
    form->SetActivePage(behind);
    SetFocus(form->Tabit);
    TypeAltKey(row.key);
    EXPECT_TRUE(clicked.empty()) << row.handler << " disabled or on a page behind";
    RemoveWindowSubclass(page, CatchClicks, 0);
  }
  for (int page = kPageHome; page < kPageCount; ++page) {  // every key of every page has its row
    for (HWND child = GetWindow(form->PageHandle(page), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const wchar_t key = towupper(AccessKeyOf(child));
      EXPECT_TRUE(!key || std::any_of(std::begin(rows), std::end(rows),
                                      [&](const auto& row) { return row.page == page && row.key == key; }))
          << "page " << page << ": " << testing::PrintToString(WindowTextOf(child)) << " has a key but no row";
    }
  }
}

// The name and role screen readers read for each control that can take the focus (role 0: Wine's
// standard object's, "client", for check boxes, radio buttons and time pickers).
TEST_F(AccessKeys, EveryFocusableControlHasItsName) {
  CoInitialize(nullptr);
  const struct {
    int page;
    HWND control;
    const wchar_t* name;
    long role;
  } rows[] = {
      {kPageHome, form->Kuvakkeet, L"Modules", ROLE_SYSTEM_LIST},
      {PageOf<DiskTool>(), form->ToolAs<DiskTool>().LstKovot, L"Click to select:", ROLE_SYSTEM_LIST},
      {PageOf<DiskTool>(), form->ToolAs<DiskTool>().LstLargest, L"Largest files", ROLE_SYSTEM_LIST},
      {PageOf<DiskTool>(), form->ToolAs<DiskTool>().Cbo_SC, L"Number of largest files", ROLE_SYSTEM_COMBOBOX},
      {PageOf<DiskTool>(), PartOf(form->ToolAs<DiskTool>().Cbo_SC, WC_EDITW), L"Number of largest files",
       ROLE_SYSTEM_TEXT},
      {PageOf<DiskTool>(), form->ToolAs<DiskTool>().ChkSAlert, L"Alert if drive", 0},
      {PageOf<DiskTool>(), form->ToolAs<DiskTool>().EditAA, L"Free space alert threshold (GB)", ROLE_SYSTEM_TEXT},
      {PageOf<DiskTool>(), form->ToolAs<DiskTool>().CboAD.Handle(), L"Alert drive", ROLE_SYSTEM_COMBOBOX},
      {PageOf<DiskTool>(), PartOf(form->ToolAs<DiskTool>().CboAD.Handle(), WC_EDITW), L"Alert drive", ROLE_SYSTEM_TEXT},
      {PageOf<CleanerTool>(), form->ToolAs<CleanerTool>().LstETF.Handle(), L"Unnecessary files", ROLE_SYSTEM_LIST},
      {PageOf<CatalogueTool>(), form->ToolAs<CatalogueTool>().Softat, L"Software list", ROLE_SYSTEM_OUTLINE},
      {PageOf<AlarmTool>(), form->ToolAs<AlarmTool>().TimeAlarm, L"Alarm time", 0},
      {PageOf<AlarmTool>(), PartOf(form->ToolAs<AlarmTool>().TimeAlarm, UPDOWN_CLASSW), L"Alarm time",
       ROLE_SYSTEM_SPINBUTTON},
      {PageOf<AlarmTool>(), form->ToolAs<AlarmTool>().EditAlarmFile, L"Alarm audio file:", ROLE_SYSTEM_TEXT},
      {PageOf<AlarmTool>(), form->ToolAs<AlarmTool>().CboRepeat.Handle(), L"Repeat", ROLE_SYSTEM_COMBOBOX},
      {PageOf<AlarmTool>(), form->ToolAs<AlarmTool>().CboSnooze.Handle(), L"Snooze for", ROLE_SYSTEM_COMBOBOX},
      {PageOf<RenamerTool>(), form->ToolAs<RenamerTool>().LstRen, L"Files to rename", ROLE_SYSTEM_LIST},
      {PageOf<RenamerTool>(), form->ToolAs<RenamerTool>().EditRen, L"Rename selected files ( * = automatic number ):",
       ROLE_SYSTEM_TEXT},
      {PageOf<RenamerTool>(), form->ToolAs<RenamerTool>().ChkCopy, L"Keep copy of the original files", 0},
      {PageOf<RenamerTool>(), form->ToolAs<RenamerTool>().EditStart, L"Start at", ROLE_SYSTEM_TEXT},
      {PageOf<RenamerTool>(), form->ToolAs<RenamerTool>().ChkWidth, L"Same width (01, 02, \u2026)", 0},
      {PageOf<WallpaperTool>(), form->ToolAs<WallpaperTool>().CboChange.Handle(), L"Change every", ROLE_SYSTEM_COMBOBOX},
      {PageOf<WallpaperTool>(), form->ToolAs<WallpaperTool>().CboFit.Handle(), L"Picture position", ROLE_SYSTEM_COMBOBOX},
      {PageOf<ShutdownTool>(), form->ToolAs<ShutdownTool>().ShutAika, L"Shutdown time", 0},
      {PageOf<ShutdownTool>(), PartOf(form->ToolAs<ShutdownTool>().ShutAika, UPDOWN_CLASSW), L"Shutdown time",
       ROLE_SYSTEM_SPINBUTTON},
      {PageOf<ShutdownTool>(), form->ToolAs<ShutdownTool>().Rd1, L"Shutdown", 0},
      {PageOf<ShutdownTool>(), form->ToolAs<ShutdownTool>().Rd2, L"Reboot", 0},
      {PageOf<WallpaperTool>(), form->ToolAs<WallpaperTool>().LstWP, L"Wallpaper pictures", ROLE_SYSTEM_LIST},
      {PageOf<AdminTool>(), form->ToolAs<AdminTool>().LstInfo, L"System information", ROLE_SYSTEM_LIST},
      {PageOf<AdminTool>(), form->ToolAs<AdminTool>().LstProc, L"Running processes:", ROLE_SYSTEM_LIST},
  };
  for (const auto& row : rows) {
    form->SetActivePage(row.page);
    ASSERT_NE(row.control, nullptr) << "no part named " << testing::PrintToString(row.name);
    const ScreenReaderView view = ReadAsScreenReader(row.control);
    EXPECT_EQ(view.name, row.name);
    EXPECT_TRUE(row.role == 0 || view.role == row.role) << "role " << view.role;
  }
  for (int page = kPageHome; page < kPageCount; ++page) {  // every control of every page has its row
    for (HWND child = GetWindow(form->PageHandle(page), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const bool focusable = GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP;
      EXPECT_TRUE(!focusable ||
                  std::any_of(std::begin(rows), std::end(rows), [&](const auto& row) { return row.control == child; }))
          << "page " << page << ": " << testing::PrintToString(WindowTextOf(child)) << " has no row";
    }
  }
}

// The alarm's ring window, a window of its own, is named by its caption, its buttons by their texts.
TEST_F(AccessKeys, TheAlarmRingWindowIsNamedForScreenReaders) {
  CoInitialize(nullptr);
  const AlarmRing ring(form->Handle(), form->Fonts().normal.Get(), {});
  EXPECT_EQ(ReadAsScreenReader(ring.Handle).name, L"Quoxel: Alarm");
  EXPECT_EQ(ReadAsScreenReader(ring.BtnSnooze).name, L"Snooze");
  EXPECT_EQ(ReadAsScreenReader(ring.BtnStop).name, L"Stop");
}

// Every text has a colour of its own choosing; with high contrast on, and off again, the pages show
// the system's colours only, the system's controls drawn without a visual style.
TEST_F(AccessKeys, HighContrastShowsTheSystemsColoursOnly) {
  const COLORREF text = GetSysColor(COLOR_BTNTEXT), face = GetSysColor(COLOR_BTNFACE), black = RGB(0, 0, 0);
  const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT), window = GetSysColor(COLOR_WINDOW);
  const struct {
    HWND control;
    UINT message;
    COLORREF own[2], highContrast[2];  // text, background
  } rows[] = {
      {form->ToolAs<DiskTool>().Lbl11, WM_CTLCOLORSTATIC, {text, face}, {text, face}},
      {form->ToolAs<DiskTool>().ChkSAlert, WM_CTLCOLORBTN, {text, face}, {text, face}},
      {form->ToolAs<DiskTool>().LblFreeS, WM_CTLCOLORSTATIC, {black, RGB(192, 220, 192)}, {text, face}},
      {form->ToolAs<DiskTool>().LstKovot, WM_CTLCOLORLISTBOX, {black, RGB(255, 251, 240)}, {windowText, window}},
      {form->LblLink1, WM_CTLCOLORSTATIC, {RGB(0, 0, 255), face}, {GetSysColor(COLOR_HOTLIGHT), face}},
  };
  // The wordmark part of the Home page's logo, as drawn on the screen.
  const auto wordmarkPixelsOf = [this](COLORREF colour) {
    const HWND home = form->PageHandle(kPageHome);
    RedrawWindow(home, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const HDC screen = GetDC(home);
    int count = 0;
    for (int y = 14; y < 74; ++y)
      for (int x = 166 + 55; x < 166 + 220; ++x) count += GetPixel(screen, x, y) == colour;
    ReleaseDC(home, screen);
    return count;
  };
  bool on = false;
  SetHighContrastReader([&on] { return on; });
  const HDC dc = CreateCompatibleDC(nullptr);
  for (const bool highContrast : {true, false}) {
    on = highContrast;
    SendMessageW(form->Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    for (const auto& row : rows) {
      SetTextColor(dc, RGB(1, 2, 3));  // what a page that sets no colour would leave
      LOGBRUSH fill{};
      const auto control = reinterpret_cast<LPARAM>(row.control);
      const LRESULT brush = SendMessageW(GetParent(row.control), row.message, reinterpret_cast<WPARAM>(dc), control);
      GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof fill, &fill);
      const COLORREF* wanted = highContrast ? row.highContrast : row.own;
      EXPECT_EQ(std::make_pair(GetTextColor(dc), fill.lbColor), std::make_pair(wanted[0], wanted[1]))
          << testing::PrintToString(WindowTextOf(row.control)) << (highContrast ? " in high contrast" : "");
    }
    EXPECT_EQ(ListView_GetBkColor(form->Kuvakkeet), highContrast ? window : RGB(166, 202, 240));
    EXPECT_EQ(wordmarkPixelsOf(text) > 100, highContrast) << "the wordmark in the system's text colour";
    const HTHEME style = OpenThemeData(form->ToolAs<DiskTool>().BtnKovoIsoimmat, L"BUTTON");
    EXPECT_TRUE(!highContrast || style == nullptr);
    if (style) CloseThemeData(style);
  }
  DeleteDC(dc);
}
