// Every tool from the keyboard, and named for screen readers: the access keys of each page's buttons
// and the names and roles screen readers read, through the accessibility interface.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
    BSTR value = nullptr;
    std::wstring read = (object->*get)(self, &value) == S_OK && value ? value : L"";
    SysFreeString(value);
    return read;
  };
  const auto number = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) {
    VARIANT value{};
    return SUCCEEDED((object->*get)(self, &value)) && value.vt == VT_I4 ? value.lVal : -1L;
  };
  view.name = text(&IAccessible::get_accName);
  view.shortcut = text(&IAccessible::get_accKeyboardShortcut);
  view.role = number(&IAccessible::get_accRole);
  view.state = number(&IAccessible::get_accState);
  object->Release();
  return view;
}

// Takes the clicks a page's controls report before the page runs their handlers (a search, a file
// dialog, the wallpaper), and keeps which control reported.
class ClickCatcher {
 public:
  explicit ClickCatcher(HWND page) : page_(page) {
    SetWindowSubclass(page_, Catch, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  ~ClickCatcher() { RemoveWindowSubclass(page_, Catch, 0); }
  ClickCatcher(const ClickCatcher&) = delete;
  ClickCatcher& operator=(const ClickCatcher&) = delete;
  std::vector<HWND> clicked;

 private:
  static LRESULT CALLBACK Catch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return DefSubclassProc(window, message, wParam, lParam);
    reinterpret_cast<ClickCatcher*>(self)->clicked.push_back(reinterpret_cast<HWND>(lParam));
    return 0;
  }
  HWND page_;
};

class AccessKeys : public FormTest {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    FormTest::SetUp();
  }
  void TearDown() override {
    FormTest::TearDown();
    CoUninitialize();
  }

  // The focusable controls of the page in Tab order, and the page control.
  std::vector<HWND> FocusPlaces(int page) {
    std::vector<HWND> places{form->Tabit};
    const HWND first = GetNextDlgTabItem(form->PageHandle(page), nullptr, FALSE);
    for (HWND at = first; at && (at != first || places.size() == 1);
         at = GetNextDlgTabItem(form->PageHandle(page), at, FALSE))
      places.push_back(at);
    return places;
  }
  // Alt and the key typed where the focus is, as the keyboard's translation delivers it.
  void TypeAltKey(wchar_t key) {
    PostMessageW(GetFocus(), WM_SYSCHAR, towlower(key), 1 << 29);
    PumpMessages();
  }
};

bool IsSpeedButton(HWND control) {
  wchar_t windowClass[32] = {};
  GetClassNameW(control, windowClass, 32);
  return std::wstring(windowClass) == L"QuoxelSpeedButton";
}

}  // namespace

// Alt with the key, from each focusable control of the page, presses the button as a click does; a
// speed button leaves the focus where it was. Disabled, or on a page not in front, it does nothing.
TEST_F(AccessKeys, EachKeyPressesItsButtonFromAnywhereOnItsPageOnly) {
  struct Row {
    int page;
    wchar_t key;
    HWND button;
    const char* handler;
  };
  const Row rows[] = {
      {kPageHome, L'M', form->BtnMinTray, "BtnMinTrayClick"},
      {kPageHardDisks, L'S', form->Disk().BtnKovoIsoimmat, "BtnKovoIsoimmatClick"},
      {kPageHardDisks, L'A', form->Disk().ChkSAlert, "ChkSAlertClick"},
      {kPageCleaner, L'S', form->Cleaner().BtnETF, "BtnETFClick"},
      {kPageCleaner, L'F', form->Cleaner().BtnETFFix, "BtnETFFixClick"},
      {kPageSoftware, L'U', form->SoftwareList().BtnUpdate1, "BtnUpdate1Click"},
      {kPageAlarm, L'S', form->Alarm().BtnAlarmFile, "BtnAlarmFileClick"},
      {kPageAlarm, L'A', form->Alarm().BtnSetAlarm, "BtnSetAlarmClick"},
      {kPageRenamer, L'A', form->Renamer().BtnAddF, "BtnAddFClick"},
      {kPageRenamer, L'R', form->Renamer().BtnRem1, "BtnRem1Click"},
      {kPageRenamer, L'U', form->Renamer().BtnMU, "BtnMUClick"},
      {kPageRenamer, L'D', form->Renamer().BtnMD, "BtnMDClick"},
      {kPageRenamer, L'K', form->Renamer().ChkCopy, "(the check box's own mark)"},
      {kPageRenamer, L'C', form->Renamer().BtnConv, "BtnConvClick"},
      {kPageShutdown, L'S', form->Shutdown().Rd1, "(the radio button's own choice)"},
      {kPageShutdown, L'R', form->Shutdown().Rd2, "(the radio button's own choice)"},
      {kPageShutdown, L'T', form->Shutdown().BtnShut, "BtnShutClick"},
      {kPageWallpaper, L'A', form->Wallpaper().BtnAddW, "BtnAddWClick"},
      {kPageWallpaper, L'R', form->Wallpaper().BtnWRem, "BtnWRemClick"},
      {kPageWallpaper, L'U', form->Wallpaper().BtnMUp2, "BtnMUp2Click"},
      {kPageWallpaper, L'D', form->Wallpaper().BtnMD2, "BtnMD2Click"},
      {kPageWallpaper, L'W', form->Wallpaper().BtnRWP, "BtnRWPClick"},
      {kPageAdministration, L'F', form->Admin().BtnFI, "BtnFIClick"},
      {kPageAdministration, L'I', form->Admin().BtnGInf, "BtnGInfClick"},
  };
  for (const Row& row : rows) {
    form->SetActivePage(row.page);
    EnableWindow(row.button, TRUE);
    ClickCatcher catcher(form->PageHandle(row.page));
    for (HWND place : FocusPlaces(row.page)) {
      SetFocus(place);
      const HWND focus = GetFocus();
      TypeAltKey(row.key);
      EXPECT_EQ(catcher.clicked, std::vector<HWND>{row.button}) << row.handler << " from a " << place;
      if (IsSpeedButton(row.button)) {
        EXPECT_EQ(GetFocus(), focus) << row.handler;
      }
      catcher.clicked.clear();
    }
    EnableWindow(row.button, FALSE);
    TypeAltKey(row.key);
    EnableWindow(row.button, TRUE);
    form->SetActivePage(row.page == kPageHome ? kPageCleaner : kPageHome);  // neither uses the other's keys
    SetFocus(form->Tabit);
    TypeAltKey(row.key);
    EXPECT_TRUE(catcher.clicked.empty()) << row.handler << " disabled or on a page behind";
  }
}

// The underlines show from the first Alt on, or from the start where the user's setting asks for them.
TEST_F(AccessKeys, UnderlinesShowOnceAltIsPressed) {
  BOOL always = FALSE;
  SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0);
  EXPECT_EQ(AccessKeysShown(form->BtnMinTray), always != FALSE);
  PostMessageW(form->Kuvakkeet, WM_SYSKEYDOWN, VK_MENU, 1 << 29);
  PumpMessages();
  EXPECT_TRUE(AccessKeysShown(form->BtnMinTray));
}

// Each page's keys differ, and every speed button has one: a push button named by its caption,
// unavailable while disabled, with Alt and its key as its shortcut.
TEST_F(AccessKeys, SpeedButtonsHaveKeysUniqueOnTheirPageAndReadAsPushButtons) {
  for (int page = 0; page < kPageCount; ++page) {
    std::set<wchar_t> keys;
    for (HWND child = GetWindow(form->PageHandle(page), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const wchar_t key = AccessKeyOf(child);
      EXPECT_TRUE(key == 0 || keys.insert(key).second) << "page " << page << " key " << char(key);
      if (!IsSpeedButton(child)) continue;
      EXPECT_NE(key, 0) << "page " << page;
      const ScreenReaderView view = ReadAsScreenReader(child);
      EXPECT_EQ(view.name, WindowTextOf(child));
      EXPECT_EQ(view.role, ROLE_SYSTEM_PUSHBUTTON);
      EXPECT_EQ(view.shortcut, std::wstring(L"Alt+") + key);
      EXPECT_EQ((view.state & STATE_SYSTEM_UNAVAILABLE) != 0, !IsWindowEnabled(child));
    }
  }
}

// The names screen readers read for each control that can take the focus (0: the standard object's role).
TEST_F(AccessKeys, EveryFocusableControlHasItsName) {
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
      {kPageHardDisks, form->Disk().ChkSAlert, L"Alert if drive", 0},
      {kPageHardDisks, form->Disk().EditAA, L"Free space alert threshold (GB)", ROLE_SYSTEM_TEXT},
      {kPageHardDisks, form->Disk().CboAD, L"Alert drive", ROLE_SYSTEM_COMBOBOX},
      {kPageCleaner, form->Cleaner().LstETF, L"Unnecessary files", ROLE_SYSTEM_LIST},
      {kPageSoftware, form->SoftwareList().Softat, L"Software list", ROLE_SYSTEM_OUTLINE},
      {kPageAlarm, form->Alarm().TimeAlarm, L"Alarm time", 0},
      {kPageAlarm, form->Alarm().EditAlarmFile, L"Alarm audio file:", ROLE_SYSTEM_TEXT},
      {kPageRenamer, form->Renamer().LstRen, L"Files to rename", ROLE_SYSTEM_LIST},
      {kPageRenamer, form->Renamer().EditRen, L"Rename selected files ( * = automatic number ):", ROLE_SYSTEM_TEXT},
      {kPageRenamer, form->Renamer().ChkCopy, L"Keep copy of the original files", 0},
      {kPageShutdown, form->Shutdown().ShutAika, L"Shutdown time", 0},
      {kPageShutdown, form->Shutdown().Rd1, L"Shutdown", 0},
      {kPageShutdown, form->Shutdown().Rd2, L"Reboot", 0},
      {kPageWallpaper, form->Wallpaper().LstWP, L"Wallpaper pictures", ROLE_SYSTEM_LIST},
      {kPageAdministration, form->Admin().LstInfo, L"System information", ROLE_SYSTEM_LIST},
      {kPageAdministration, form->Admin().LstProc, L"Running processes:", ROLE_SYSTEM_LIST},
  };
  for (const auto& row : rows) {
    form->SetActivePage(row.page);
    const ScreenReaderView view = ReadAsScreenReader(row.control);
    EXPECT_EQ(view.name, row.name) << "page " << row.page;
    EXPECT_TRUE(row.role == 0 || view.role == row.role) << "page " << row.page << " role " << view.role;
  }
}
