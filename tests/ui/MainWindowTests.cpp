// The main window as it is built: frame, page control, Home page and components.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/FrmMain.h"
#include "utilities/AccessKeys.h"
#include "app/ResourceIds.h"
#include "platform/Pictures.h"
#include "platform/Fonts.h"
#include "platform/System.h"
#include "tests/support/UiTestSupport.h"
#include "tools/alarm/AlarmTool.h"
#include "tools/disk/DiskTool.h"
#include "tools/renamer/RenamerTool.h"
#include "tools/shutdown/ShutdownTool.h"
#include "tools/wallpaper/WallpaperTool.h"
#include "ui/Controls.h"
#include "utilities/DpiScale.h"

namespace {

class MainWindow : public testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TFrmMain>(GetModuleHandleW(nullptr), ExecutableFolder());
    ShowWindow(form->Handle(), SW_SHOWNORMAL);
    PumpMessages();
  }
  std::unique_ptr<TFrmMain> form;
};

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

void ExpectBounds(HWND control, RECT expected) {
  const RECT b = ChildBounds(control);
  EXPECT_EQ(b.left, expected.left) << testing::PrintToString(WindowTextOf(control));
  EXPECT_EQ(b.top, expected.top) << testing::PrintToString(WindowTextOf(control));
  EXPECT_EQ(b.right, expected.right) << testing::PrintToString(WindowTextOf(control));
  EXPECT_EQ(b.bottom, expected.bottom) << testing::PrintToString(WindowTextOf(control));
}

// Labels take the width of their text, so that no font cuts them short.
void ExpectLabelAt(HWND label, int left, int top, int height) {
  const RECT b = ChildBounds(label);
  EXPECT_EQ(b.left, left) << testing::PrintToString(WindowTextOf(label));
  EXPECT_EQ(b.top, top) << testing::PrintToString(WindowTextOf(label));
  EXPECT_EQ(b.bottom, height) << testing::PrintToString(WindowTextOf(label));
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  EXPECT_GE(b.right, TextExtent(font, CaptionAsShown(WindowTextOf(label))).cx)
      << testing::PrintToString(WindowTextOf(label));
}

std::wstring MenuText(HMENU menu, int position) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
  return text;
}

}  // namespace

TEST_F(MainWindow, HasTheFixedFrameCaptionAndClientSize) {
  EXPECT_EQ(WindowTextOf(form->Handle()), L"Quoxel 1.0");
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 598);
  EXPECT_EQ(client.bottom, 418);
  const LONG style = GetWindowLongW(form->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the border must not be sizeable";
  EXPECT_EQ(GetClassLongPtrW(form->Handle(), GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
  EXPECT_NE(GetClassLongPtrW(form->Handle(), GCLP_HICONSM), 0);
}

TEST_F(MainWindow, IsCentredOnTheScreen) {
  RECT window;
  GetWindowRect(form->Handle(), &window);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_LE(std::abs(window.left - (screenWidth - window.right)), 1);
  EXPECT_LE(std::abs(window.top - (screenHeight - window.bottom)), 1);
}

TEST_F(MainWindow, EveryControlUsesTahomaAtElevenPixelsUnlessItsRowSaysOtherwise) {
  struct Check {
    static BOOL CALLBACK Each(HWND child, LPARAM context) {
      auto* form = reinterpret_cast<TFrmMain*>(context);
      if (GetParent(child) == form->PageHandle(kPageHome) || GetParent(child) == form->Handle()) {
        const LOGFONTW font = FontOf(child);
        EXPECT_STREQ(font.lfFaceName, L"Tahoma") << testing::PrintToString(WindowTextOf(child));
        if (child == form->Tabit) {
          // The tab captions may be smaller where Tahoma is too wide for every tab in one row.
          EXPECT_GE(font.lfHeight, -11);
          EXPECT_LE(font.lfHeight, -8);
        } else {
          EXPECT_EQ(font.lfHeight, child == form->LblVersion ? -21 : -11)
              << testing::PrintToString(WindowTextOf(child));
        }
        EXPECT_EQ(font.lfWeight >= FW_BOLD, child == form->Lbl1) << testing::PrintToString(WindowTextOf(child));
        EXPECT_EQ(font.lfUnderline != 0, child == form->LblLink1);
      }
      return TRUE;
    }
  };
  EnumChildWindows(form->Handle(), Check::Each, reinterpret_cast<LPARAM>(form.get()));
}

TEST_F(MainWindow, ShowsHomeAndEachToolsPageInOrderInOneRow) {
  ASSERT_EQ(SendMessageW(form->Tabit, TCM_GETITEMCOUNT, 0, 0), kPageCount);
  for (int i = 0; i < kPageCount; ++i) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(form->Tabit, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, PageCaption(i)) << "tab " << i;
  }
  EXPECT_EQ(SendMessageW(form->Tabit, TCM_GETROWCOUNT, 0, 0), 1);
  RECT last;
  SendMessageW(form->Tabit, TCM_GETITEMRECT, kPageCount - 1, reinterpret_cast<LPARAM>(&last));
  EXPECT_LE(last.right, 598) << "the last tab must be visible without scrolling";
  HWND arrows = FindWindowExW(form->Tabit, nullptr, UPDOWN_CLASSW, nullptr);
  EXPECT_TRUE(!arrows || !IsWindowVisible(arrows)) << "no scroll arrows";
}

TEST_F(MainWindow, EachPageOffers588By388AloneWhenShown) {
  EXPECT_EQ(form->ActivePage(), kPageHome);
  EXPECT_EQ(ChildBounds(form->Tabit).right, 598);
  EXPECT_EQ(ChildBounds(form->Tabit).bottom, 418);
  for (int i = kPageCount - 1; i >= 0; --i) {
    form->SetActivePage(i);
    RECT client;
    GetClientRect(form->PageHandle(i), &client);
    EXPECT_EQ(client.right, 588) << "page " << i;
    EXPECT_EQ(client.bottom, 388) << "page " << i;
    for (int j = 0; j < kPageCount; ++j) {
      if (form->PageHandle(j)) {
        EXPECT_EQ(IsWindowVisible(form->PageHandle(j)) != 0, i == j) << "page " << j << " with page " << i << " shown";
      }
    }
  }
}

TEST_F(MainWindow, HomePageControlsStandWhereTheyBelong) {
  EXPECT_EQ(WindowTextOf(form->LblVersion), L"1.0");
  ExpectLabelAt(form->LblVersion, 384, 41, 25);
  EXPECT_EQ(WindowTextOf(form->Lbl18), L"Check for &updates:");  // shown as "Check for updates:"
  ExpectLabelAt(form->Lbl18, 180, 80, 13);
  EXPECT_EQ(WindowTextOf(form->LblLink1).rfind(L"https://", 0), 0u);
  ExpectLabelAt(form->LblLink1, 278, 80, 13);
  EXPECT_FALSE(WindowTextOf(form->Lbl14).empty());
  ExpectLabelAt(form->Lbl14, 208, 97, 13);
  EXPECT_EQ(WindowTextOf(form->Lbl1), L"Double-click an icon to select a module:");
  ExpectLabelAt(form->Lbl1, 171, 118, 13);
  ExpectBounds(form->Kuvakkeet, {0, 137, 585, 208});
  EXPECT_EQ(WindowTextOf(form->BtnMinTray), L"Minimize Quoxel in system tray");
  ExpectBounds(form->BtnMinTray, {0, 351, 585, 34});
}

TEST_F(MainWindow, TheTrayButtonTakesNoFocus) {
  SetFocus(form->Kuvakkeet);
  const RECT b = ChildBounds(form->BtnMinTray);
  PostMessageW(form->BtnMinTray, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.right / 2, b.bottom / 2));
  PostMessageW(form->BtnMinTray, WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));  // let go outside: no click
  PumpMessages();
  EXPECT_EQ(GetFocus(), form->Kuvakkeet);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(GetWindowLongW(form->BtnMinTray, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(MainWindow, IconViewIsFlatSkyBlueWithALargeIconForEachTool) {
  const LONG style = GetWindowLongW(form->Kuvakkeet, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_ICON);
  EXPECT_FALSE(style & WS_BORDER);
  EXPECT_FALSE(GetWindowLongW(form->Kuvakkeet, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
  EXPECT_EQ(ListView_GetBkColor(form->Kuvakkeet), RGB(166, 202, 240));
  HIMAGELIST pictures = ListView_GetImageList(form->Kuvakkeet, LVSIL_NORMAL);
  ASSERT_EQ(pictures, form->Kuvakekuvat.Get());
  int width = 0, height = 0;
  ImageList_GetIconSize(pictures, &width, &height);
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 64);
  EXPECT_EQ(ImageList_GetImageCount(pictures), static_cast<int>(kTools.size()));
}

// Each image of the list is its module picture: in its place in the row, with its transparency.
TEST_F(MainWindow, EachIconDrawsItsPictureBlendedOverTheIconView) {
  const COLORREF sky = RGB(166, 202, 240);
  for (int index = 0; index < static_cast<int>(kTools.size()); ++index) {
    const Picture picture = LoadPngResource(GetModuleHandleW(nullptr), IDR_MODULE(0, index));
    void* bits = nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 64;
    info.bmiHeader.biHeight = -64;  // top-down, as the picture
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    ScopedBitmap canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ScopedMemoryDC dc(nullptr);
    ScopedSelectObject selected(dc.Get(), canvas.Get());
    ScopedBrush background(CreateSolidBrush(sky));
    const RECT all{0, 0, 64, 64};
    FillRect(dc.Get(), &all, background.Get());
    ASSERT_TRUE(ImageList_Draw(form->Kuvakekuvat.Get(), index, dc.Get(), 0, 0, ILD_NORMAL));
    GdiFlush();
    const auto* drawn = static_cast<const std::uint8_t*>(bits);
    const std::uint8_t under[3] = {GetBValue(sky), GetGValue(sky), GetRValue(sky)};
    int wrong = 0;
    for (size_t i = 0; i < picture.pixels.size(); i += 4) {
      const int alpha = picture.pixels[i + 3];
      for (int c = 0; c < 3; ++c) {
        const int expected = (picture.pixels[i + c] * alpha + under[c] * (255 - alpha)) / 255;
        wrong += std::abs(drawn[i + c] - expected) > 2;
      }
    }
    EXPECT_EQ(wrong, 0) << "picture " << index;
  }
}

TEST_F(MainWindow, IconsCarryTheirCaptionsAndPictureNumbers) {
  ASSERT_EQ(ListView_GetItemCount(form->Kuvakkeet), static_cast<int>(kTools.size()));
  for (int i = 0; i < static_cast<int>(kTools.size()); ++i) {
    wchar_t text[64] = {};
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = text;
    item.cchTextMax = 64;
    ListView_GetItem(form->Kuvakkeet, &item);
    EXPECT_STREQ(text, kTools[i].icon) << "icon " << i;
    EXPECT_EQ(item.iImage, kTools[i].picture) << "icon " << i;
  }
}

TEST_F(MainWindow, ComponentsStartAsBuilt) {
  ASSERT_EQ(GetMenuItemCount(form->Pop1.Get()), 9);
  EXPECT_EQ(MenuText(form->Pop1.Get(), 0), L"Windows Processes");
  EXPECT_EQ(MenuText(form->Pop1.Get(), 1), L"Random Wallpaper");
  EXPECT_TRUE(GetMenuState(form->Pop1.Get(), 2, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(MenuText(form->Pop1.Get(), 3), L"Start with Windows");
  EXPECT_EQ(MenuText(form->Pop1.Get(), 4), L"Remember settings");
  EXPECT_TRUE(GetMenuState(form->Pop1.Get(), 5, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(MenuText(form->Pop1.Get(), 6), L"Show");
  EXPECT_EQ(MenuText(form->Pop1.Get(), 7), L"Hide");
  EXPECT_EQ(MenuText(form->Pop1.Get(), 8), L"Exit");
  form->SetActivePage(PageOf<DiskTool>());  // the page's menu is made with its controls
  ASSERT_EQ(GetMenuItemCount(form->ToolAs<DiskTool>().Pop2.Get()), 1);
  EXPECT_EQ(MenuText(form->ToolAs<DiskTool>().Pop2.Get(), 0), L"Save results to a file");

  EXPECT_FALSE(form->ToolAs<AlarmTool>().AlarmAjastin.Enabled());
  EXPECT_FALSE(form->ToolAs<ShutdownTool>().ShutAjastin.Enabled());
  EXPECT_FALSE(form->ToolAs<DiskTool>().Ajastin3.Enabled());
  EXPECT_EQ(form->ToolAs<AlarmTool>().AlarmAjastin.Interval(), 60000u);
  EXPECT_EQ(form->ToolAs<ShutdownTool>().ShutAjastin.Interval(), 60000u);
  EXPECT_EQ(form->ToolAs<DiskTool>().Ajastin3.Interval(), 6000u);

  EXPECT_FALSE(form->ToolAs<AlarmTool>().Avaaja1.multiSelect);
  EXPECT_TRUE(form->ToolAs<AlarmTool>().Avaaja1.filter.empty());
  EXPECT_EQ(form->ToolAs<RenamerTool>().Avaaja2.title, L"Select files");
  EXPECT_EQ(form->ToolAs<RenamerTool>().Avaaja2.filter, L"Any file (*.*)|*.*");
  EXPECT_TRUE(form->ToolAs<RenamerTool>().Avaaja2.multiSelect);
  EXPECT_EQ(form->ToolAs<WallpaperTool>().Avaaja3.filter, L"Pictures|*.bmp;*.jpg;*.jpeg;*.png");
  EXPECT_TRUE(form->ToolAs<WallpaperTool>().Avaaja3.multiSelect);
  EXPECT_EQ(form->ToolAs<DiskTool>().Save1.kind, FileDialog::Kind::Save);
  EXPECT_EQ(form->ToolAs<DiskTool>().Save1.filter, L"Text File (*.txt)|*.txt");
  EXPECT_EQ(form->ToolAs<DiskTool>().Save1.defaultExtension, L".txt");
}

TEST_F(MainWindow, FormCreateSetsTheStartingState) {
  EXPECT_FALSE(form->ToolAs<AlarmTool>().AlarmOn);
  EXPECT_FALSE(form->ToolAs<ShutdownTool>().TimedShutdownOn);
  wchar_t exe[MAX_PATH + 1];
  GetModuleFileNameW(nullptr, exe, MAX_PATH + 1);
  const std::wstring path = exe;
  ASSERT_FALSE(form->AppDir().empty());
  EXPECT_EQ(form->AppDir().back(), L'\\');
  EXPECT_EQ(path.rfind(form->AppDir(), 0), 0u);
  EXPECT_EQ(path.find(L'\\', form->AppDir().size()), std::wstring::npos);
}

TEST_F(MainWindow, ClosingEndsWithoutAQuestion) {
  BoxRecorder boxes;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(form->Handle()));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST(Labels, AnItalicLabelHoldsItsLastLetterWhole) {
  const ScopedFont italic = MakeFont({L"Tahoma", 16, FW_NORMAL, true}, kLayoutDpi);
  EXPECT_GT(LabelWidth(italic.Get(), L"computer"), TextExtent(italic.Get(), L"computer").cx);
  const ScopedFont upright = MakeFont({L"Tahoma", 16}, kLayoutDpi);
  EXPECT_EQ(LabelWidth(upright.Get(), L"computer"), TextExtent(upright.Get(), L"computer").cx);
}
