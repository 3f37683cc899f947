// Every tool from the keyboard, named for screen readers, and in the system's colours: each page's
// access keys, the names and roles read through the accessibility interface, and high contrast.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <uxtheme.h>
#include <gtest/gtest.h>

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
      {kPageHardDisks, L'S', form->Disk().BtnKovoIsoimmat, "BtnKovoIsoimmatClick"},
      {kPageHardDisks, L'A', form->Disk().ChkSAlert, "ChkSAlertClick"},
      {kPageCleaner, L'S', form->Cleaner().BtnETF, "BtnETFClick"},
      {kPageCleaner, L'F', form->Cleaner().BtnETFFix, "BtnETFFixClick"},
      {kPageSoftware, L'U', form->SoftwareList().BtnUpdate1, "BtnUpdate1Click"},
      {kPageSoftware, L'D', form->SoftwareList().LblSLink, "LblSLinkClick (the key of the label before it)"},
      {kPageAlarm, L'S', form->Alarm().BtnAlarmFile, "BtnAlarmFileClick"},
      {kPageAlarm, L'A', form->Alarm().BtnSetAlarm, "BtnSetAlarmClick"},
      {kPageRenamer, L'A', form->Renamer().BtnAddF, "BtnAddFClick"},
      {kPageRenamer, L'R', form->Renamer().BtnRem1, "BtnRem1Click"},
      {kPageRenamer, L'U', form->Renamer().BtnMU, "BtnMUClick"},
      {kPageRenamer, L'D', form->Renamer().BtnMD, "BtnMDClick"},
      {kPageRenamer, L'K', form->Renamer().ChkCopy, "the check box's own mark"},
      {kPageRenamer, L'C', form->Renamer().BtnConv, "BtnConvClick"},
      {kPageShutdown, L'S', form->Shutdown().Rd1, "the radio button's own choice"},
      {kPageShutdown, L'R', form->Shutdown().Rd2, "the radio button's own choice"},
      {kPageShutdown, L'T', form->Shutdown().BtnShut, "BtnShutClick"},
      {kPageWallpaper, L'A', form->Wallpaper().BtnAddW, "BtnAddWClick"},
      {kPageWallpaper, L'R', form->Wallpaper().BtnWRem, "BtnWRemClick"},
      {kPageWallpaper, L'U', form->Wallpaper().BtnMUp2, "BtnMUp2Click"},
      {kPageWallpaper, L'D', form->Wallpaper().BtnMD2, "BtnMD2Click"},
      {kPageWallpaper, L'W', form->Wallpaper().BtnRWP, "BtnRWPClick"},
      {kPageAdministration, L'F', form->Admin().BtnFI, "BtnFIClick"},
      {kPageAdministration, L'I', form->Admin().BtnGInf, "BtnGInfClick"},
  };
  for (const auto& row : rows) {
    form->SetActivePage(row.page);
    EnableWindow(row.button, TRUE);
    const HWND page = form->PageHandle(row.page);
    std::vector<HWND> clicked;
    SetWindowSubclass(page, CatchClicks, 0, reinterpret_cast<DWORD_PTR>(&clicked));
    std::vector<HWND> places{form->Tabit, GetNextDlgTabItem(page, nullptr, FALSE)};  // the page control, then Tab
    for (HWND next; (next = GetNextDlgTabItem(page, places.back(), FALSE)) != places[1];) places.push_back(next);
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
      {kPageHardDisks, form->Disk().LstKovot, L"Click to select:", ROLE_SYSTEM_LIST},
      {kPageHardDisks, form->Disk().LstLargest, L"Largest files", ROLE_SYSTEM_LIST},
      {kPageHardDisks, form->Disk().Cbo_SC, L"Number of largest files", ROLE_SYSTEM_COMBOBOX},
      {kPageHardDisks, PartOf(form->Disk().Cbo_SC, WC_EDITW), L"Number of largest files", ROLE_SYSTEM_TEXT},
      {kPageHardDisks, form->Disk().ChkSAlert, L"Alert if drive", 0},
      {kPageHardDisks, form->Disk().EditAA, L"Free space alert threshold (GB)", ROLE_SYSTEM_TEXT},
      {kPageHardDisks, form->Disk().CboAD, L"Alert drive", ROLE_SYSTEM_COMBOBOX},
      {kPageHardDisks, PartOf(form->Disk().CboAD, WC_EDITW), L"Alert drive", ROLE_SYSTEM_TEXT},
      {kPageCleaner, form->Cleaner().LstETF, L"Unnecessary files", ROLE_SYSTEM_LIST},
      {kPageSoftware, form->SoftwareList().Softat, L"Software list", ROLE_SYSTEM_OUTLINE},
      {kPageAlarm, form->Alarm().TimeAlarm, L"Alarm time", 0},
      {kPageAlarm, PartOf(form->Alarm().TimeAlarm, UPDOWN_CLASSW), L"Alarm time", ROLE_SYSTEM_SPINBUTTON},
      {kPageAlarm, form->Alarm().EditAlarmFile, L"Alarm audio file:", ROLE_SYSTEM_TEXT},
      {kPageRenamer, form->Renamer().LstRen, L"Files to rename", ROLE_SYSTEM_LIST},
      {kPageRenamer, form->Renamer().EditRen, L"Rename selected files ( * = automatic number ):", ROLE_SYSTEM_TEXT},
      {kPageRenamer, form->Renamer().ChkCopy, L"Keep copy of the original files", 0},
      {kPageShutdown, form->Shutdown().ShutAika, L"Shutdown time", 0},
      {kPageShutdown, PartOf(form->Shutdown().ShutAika, UPDOWN_CLASSW), L"Shutdown time", ROLE_SYSTEM_SPINBUTTON},
      {kPageShutdown, form->Shutdown().Rd1, L"Shutdown", 0},
      {kPageShutdown, form->Shutdown().Rd2, L"Reboot", 0},
      {kPageWallpaper, form->Wallpaper().LstWP, L"Wallpaper pictures", ROLE_SYSTEM_LIST},
      {kPageAdministration, form->Admin().LstInfo, L"System information", ROLE_SYSTEM_LIST},
      {kPageAdministration, form->Admin().LstProc, L"Running processes:", ROLE_SYSTEM_LIST},
  };
  for (const auto& row : rows) {
    form->SetActivePage(row.page);
    ASSERT_NE(row.control, nullptr) << "no part named " << testing::PrintToString(row.name);
    const ScreenReaderView view = ReadAsScreenReader(row.control);
    EXPECT_EQ(view.name, row.name);
    EXPECT_TRUE(row.role == 0 || view.role == row.role) << "role " << view.role;
  }
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
      {form->Disk().Lbl11, WM_CTLCOLORSTATIC, {text, face}, {text, face}},
      {form->Disk().ChkSAlert, WM_CTLCOLORBTN, {text, face}, {text, face}},
      {form->Disk().LblFreeS, WM_CTLCOLORSTATIC, {black, RGB(192, 220, 192)}, {text, face}},
      {form->Disk().LstKovot, WM_CTLCOLORLISTBOX, {black, RGB(255, 251, 240)}, {windowText, window}},
      {form->LblLink1, WM_CTLCOLORSTATIC, {RGB(0, 0, 255), face}, {GetSysColor(COLOR_HOTLIGHT), face}},
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
    const HTHEME style = OpenThemeData(form->Disk().BtnKovoIsoimmat, L"BUTTON");
    EXPECT_TRUE(!highContrast || style == nullptr);
    if (style) CloseThemeData(style);
  }
  DeleteDC(dc);
}
