// The window at the screen's DPI: every control at its place in the 96-DPI layout times the scale, and
// every caption and label holding its whole text. Run at 96 DPI with the other window tests, and at
// 120, 144 and 192 DPI in a Wine prefix of their own (tests/ui/dpi-layout.sh).
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "app/ResourceIds.h"
#include "platform/Dpi.h"
#include "tests/support/FormTest.h"
#include "tools/admin/AdminTool.h"
#include "tools/alarm/AlarmTool.h"
#include "tools/cleaner/CleanerTool.h"
#include "tools/disk/DiskTool.h"
#include "tools/renamer/RenamerTool.h"
#include "tools/shutdown/ShutdownTool.h"
#include "tools/wallpaper/WallpaperTool.h"
#include "ui/Controls.h"
#include "ui/Page.h"
#include "ui/RightColumnList.h"
#include "utilities/AccessKeys.h"
#include "utilities/DpiScale.h"

namespace {

enum class Text {
  None,     // a list, an edit, a container: what it holds scrolls
  Caption,  // a button's caption: fits between its edges
  Choice,   // a radio button's or check box's caption: fits beside its mark
  Label,    // a label: as wide as its text, whatever width the layout gave
};

struct Placed {
  const char* name;
  HWND control;
  Bounds layout;  // in the 96-DPI layout, in the parent's client area
  Text text;
  // At another DPI than the layout's, fonts do not grow in proportion: this control may sit further right,
  // after a label grown with its font, or be wider for its caption.
  bool givesWay = false;
};

RECT InParent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The visible window beside the label that covers part of it or touches it, if any.
HWND SiblingOver(HWND label) {
  RECT own = InParent(label);
  InflateRect(&own, 2, 0);
  for (HWND sibling = GetWindow(GetParent(label), GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    RECT overlap;
    const RECT other = InParent(sibling);
    const bool shown = (GetWindowLongW(sibling, GWL_STYLE) & WS_VISIBLE) != 0;  // its page may be hidden
    if (sibling != label && shown && IntersectRect(&overlap, &own, &other)) return sibling;
  }
  return nullptr;
}

HFONT FontOf(HWND control) { return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)); }

// The DPI the run was started for, when a script set the prefix's DPI.
int RequestedDpi() {
  const char* requested = std::getenv("QUOXEL_TEST_DPI");
  return requested ? std::atoi(requested) : 0;
}

constexpr int kTolerance = 2;

// The width of a radio button's mark on a window at this DPI (the system's metric is for its own DPI).
int CheckMarkWidth(int dpi) { return SystemMetricAtDpi(SM_CXMENUCHECK, dpi); }

}  // namespace

class LayoutScale : public FormTest {
 protected:
  void ExpectLayoutAt(int dpi);
};

TEST_F(LayoutScale, ControlsSitAtTheirLayoutTimesTheScaleAndHoldTheirText) {
  const int dpi = WindowDpi(form->Handle());
  if (const int requested = RequestedDpi()) {
    ASSERT_EQ(dpi, requested) << "the prefix's DPI did not take";
  }
  ShowEveryPage();
  ExpectLayoutAt(dpi);
}

// Fonts keep their size in points and pictures take the frame for the scale: moved to a screen of
// another DPI, where the pages are first shown and so made, and back, where they are laid out again.
TEST_F(LayoutScale, FontsItemHeightsAndPicturesFollowTheScaleAlsoAfterAMove) {
  const int startDpi = WindowDpi(form->Handle());
  const int otherDpi = startDpi == 96 ? 144 : 96;
  for (const int dpi : {otherDpi, startDpi}) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
    RECT suggested{0, 0, ScaleToDpi(TFrmMain::kClientWidth, dpi), ScaleToDpi(TFrmMain::kClientHeight, dpi)};
    AdjustWindowRectEx(&suggested, GetWindowLongW(form->Handle(), GWL_STYLE), FALSE, 0);
    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    if (dpi == otherDpi) ShowEveryPage();
    ExpectLayoutAt(dpi);
    LOGFONTW font{};
    GetObjectW(form->Fonts().normal.Get(), sizeof font, &font);
    EXPECT_EQ(-font.lfHeight, ScaleToDpi(11, dpi));
    GetObjectW(FontOf(form->ToolAs<DiskTool>().LstKovot), sizeof font, &font);
    EXPECT_EQ(-font.lfHeight, ScaleToDpi(16, dpi));
    EXPECT_EQ(SendMessageW(form->ToolAs<DiskTool>().LstKovot, LB_GETITEMHEIGHT, 0, 0), ScaleToDpi(18, dpi));
    int iconWidth = 0, iconHeight = 0;
    ImageList_GetIconSize(form->Kuvakekuvat.Get(), &iconWidth, &iconHeight);
    EXPECT_EQ(iconWidth, ScaleToDpi(64, dpi));
  }
}

void LayoutScale::ExpectLayoutAt(int dpi) {
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_NEAR(client.right, ScaleToDpi(TFrmMain::kClientWidth, dpi), kTolerance);
  EXPECT_NEAR(client.bottom, ScaleToDpi(TFrmMain::kClientHeight, dpi), kTolerance);

  DiskTool& disk = form->ToolAs<DiskTool>();
  const Placed placed[] = {
      {"Tabit", form->Tabit, {0, 0, 598, 418}, Text::None},
      {"Kuvakkeet", form->Kuvakkeet, {0, 137, 585, 208}, Text::None},
      {"BtnMinTray", form->BtnMinTray, {0, 351, 585, 34}, Text::Caption},
      {"Lbl18", form->Lbl18, {180, 80, 92, 13}, Text::Label},
      {"Lbl1", form->Lbl1, {171, 118, 222, 13}, Text::Label},
      {"LblVersion", form->LblVersion, {384, 41, 28, 25}, Text::Label},
      {"LstKovot", disk.LstKovot, {3, 19, 278, 142}, Text::None},
      {"PnlKovo", disk.PnlKovo, {287, 19, 298, 84}, Text::None},
      {"LblKovoK", disk.LblKovoK, {8, 46, 109, 13}, Text::Label},
      {"BtnKovoIsoimmat", disk.BtnKovoIsoimmat, {287, 136, 298, 25}, Text::Caption},
      {"LblSearching", disk.LblSearching, {239, 271, 84, 19}, Text::Label},
      {"Lbl21", disk.Lbl21, {151, 362, 94, 13}, Text::Label},
      {"EditAA", disk.EditAA, {251, 358, 46, 21}, Text::None, true},
      {"BtnETF", form->ToolAs<CleanerTool>().BtnETF, {0, 3, 585, 22}, Text::Caption},
      {"LstETF", form->ToolAs<CleanerTool>().LstETF.Handle(), {0, 31, 585, 326}, Text::None},
      {"LstProc", form->ToolAs<AdminTool>().LstProc, {3, 194, 262, 191}, Text::None},
      {"BtnGInf", form->ToolAs<AdminTool>().BtnGInf, {285, 265, 289, 25}, Text::Caption},
      {"LblAlarmStatus", form->ToolAs<AlarmTool>().LblAlarmStatus, {235, 80, 126, 25}, Text::Caption},
      {"EditAlarmFile", form->ToolAs<AlarmTool>().EditAlarmFile, {155, 155, 278, 21}, Text::None},
      {"Lbl13", form->ToolAs<RenamerTool>().Lbl13, {3, 350, 231, 13}, Text::Label},
      {"BtnConv", form->ToolAs<RenamerTool>().BtnConv, {383, 363, 202, 22}, Text::Caption},
      {"Lbl24", form->ToolAs<ShutdownTool>().Lbl24, {99, 27, 373, 19}, Text::Label},
      {"Rd1", form->ToolAs<ShutdownTool>().Rd1, {208, 233, 73, 17}, Text::Choice},
      {"Rd2", form->ToolAs<ShutdownTool>().Rd2, {287, 233, 57, 17}, Text::Choice},
      {"ChkCopy", form->ToolAs<RenamerTool>().ChkCopy, {384, 344, 161, 17}, Text::Choice, true},
      {"ShutAika", form->ToolAs<ShutdownTool>().ShutAika, {208, 197, 137, 21}, Text::None},
      {"LstWP", form->ToolAs<WallpaperTool>().LstWP, {0, 63, 370, 322}, Text::None},
      {"BtnMD2", form->ToolAs<WallpaperTool>().BtnMD2, {376, 204, 209, 22}, Text::Caption},
  };
  for (const Placed& p : placed) {
    SCOPED_TRACE(std::string(p.name) + " at " + std::to_string(dpi) + " DPI");
    ASSERT_TRUE(IsWindow(p.control));
    const RECT rect = InParent(p.control);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    // At the layout's own DPI every control keeps its place; the gallery pictures check its text there.
    const bool drawnScale = dpi == kLayoutDpi;
    const bool givesWay = p.givesWay && !drawnScale;
    if (givesWay) {
      EXPECT_GE(rect.left, ScaleToDpi(p.layout.left, dpi) - kTolerance);
    } else {
      EXPECT_NEAR(rect.left, ScaleToDpi(p.layout.left, dpi), kTolerance);
    }
    EXPECT_NEAR(rect.top, ScaleToDpi(p.layout.top, dpi), kTolerance);
    EXPECT_NEAR(height, ScaleToDpi(p.layout.height, dpi), kTolerance);
    if (givesWay) {
      EXPECT_GE(width, ScaleToDpi(p.layout.width, dpi) - kTolerance);
    } else if (p.text != Text::Label) {
      EXPECT_NEAR(width, ScaleToDpi(p.layout.width, dpi), kTolerance);
    }

    const std::wstring text = CaptionAsShown(WindowTextOf(p.control));  // a check box's "&" is not drawn
    switch (p.text) {
      case Text::None:
        break;
      case Text::Caption:
        EXPECT_LE(TextExtent(FontOf(p.control), text).cx, width);
        break;
      case Text::Choice:
        if (p.givesWay && drawnScale) break;
        EXPECT_LE(TextExtent(FontOf(p.control), text).cx + CheckMarkWidth(dpi), width);
        break;
      case Text::Label:
        EXPECT_LE(LabelWidth(FontOf(p.control), CaptionAsShown(text)), width);
        if (!drawnScale) {
          EXPECT_EQ(SiblingOver(p.control), nullptr) << "a control covers or touches the label";
        }
        break;
    }
  }
  // Every icon of the Home page in view, with no scroll bar, however many tools there are.
  RECT view;
  GetClientRect(form->Kuvakkeet, &view);
  EXPECT_FALSE(GetWindowLongW(form->Kuvakkeet, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) << dpi << " DPI";
  for (int icon = 0; icon < ListView_GetItemCount(form->Kuvakkeet); ++icon) {
    RECT item{}, inside;
    ListView_GetItemRect(form->Kuvakkeet, icon, &item, LVIR_BOUNDS);
    IntersectRect(&inside, &item, &view);
    EXPECT_TRUE(EqualRect(&inside, &item)) << "icon " << icon << " at " << dpi << " DPI";
  }
}

namespace {

// Every control of the page or panel, shown or not, within it and within the bevel it starts in; so
// too on each panel.
void ExpectControlsInside(HWND container) {
  RECT client;
  GetClientRect(container, &client);
  for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const RECT rect = InParent(child);
    wchar_t kind[64] = L"";
    GetClassNameW(child, kind, 64);
    SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(kind)) << " at " << rect.left << ","
                                    << rect.top << " to " << rect.right << "," << rect.bottom);
    RECT inside;
    IntersectRect(&inside, &rect, &client);
    EXPECT_TRUE(EqualRect(&inside, &rect)) << testing::PrintToString(WindowTextOf(child)) << " out of its page";
    for (const RECT& bevel : Page::FromWindow(container)->Bevels()) {
      IntersectRect(&inside, &rect, &bevel);
      EXPECT_TRUE(!PtInRect(&bevel, POINT{rect.left, rect.top}) || EqualRect(&inside, &rect))
          << testing::PrintToString(WindowTextOf(child)) << " out of its bevel";
    }
    if (Page::FromWindow(child)) ExpectControlsInside(child);
  }
}

}  // namespace

TEST_F(LayoutScale, EveryControlLiesInsideItsPageAndTheBevelItStartsIn) {
  ShowEveryPage();
  for (int page = kPageHome; page < kPageCount; ++page) ExpectControlsInside(form->PageHandle(page));
}

// The widest size texts stand whole in the size column, the column inside the list.
TEST_F(LayoutScale, TheLargestFilesSizesFitTheirColumn) {
  ShowPage(PageOf<DiskTool>());
  const HWND list = form->ToolAs<DiskTool>().LstLargest;
  const wchar_t* const figures[] = {L" 1024.00 kB", L" 1024.00 MB", L" 8191.99 GB"};
  for (const wchar_t* figure : figures) {
    const std::wstring line = L"Q:\\a long folder\\file.bin\t" + std::wstring(figure);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  RECT client;
  GetClientRect(list, &client);
  const RECT column = RightColumn(list);
  EXPECT_LE(column.right, client.right);
  for (const wchar_t* figure : figures)
    EXPECT_LE(TextExtent(FontOf(list), figure).cx, column.right - column.left) << testing::PrintToString(figure);
}

TEST_F(LayoutScale, TheTrayIconIsOfTheSystemsSmallIconSize) {
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(form->TrayIconData.hIcon, &info));
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof colour, &colour);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_EQ(colour.bmWidth, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(colour.bmHeight, GetSystemMetrics(SM_CYSMICON));
}

// The program icon carries a frame drawn for each size Windows asks for between 100 and 200 %.
TEST(ProgramIcon, HasAFrameForEachIconSizeUpTo200Percent) {
#pragma pack(push, 2)
  struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
  };
#pragma pack(pop)
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDI_QUOXEL), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_NE(found, nullptr);
  const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  const WORD count = *reinterpret_cast<const WORD*>(group + 4);
  std::set<int> sizes;
  for (WORD i = 0; i < count; ++i) {
    const auto* entry = reinterpret_cast<const GroupEntry*>(group + 6 + i * sizeof(GroupEntry));
    EXPECT_EQ(entry->width, entry->height);
    sizes.insert(entry->width == 0 ? 256 : entry->width);
  }
  const int wanted[] = {16, 20, 24, 32, 40, 48, 64, 256};
  for (const int size : wanted) EXPECT_EQ(sizes.count(size), 1u) << size << " x " << size;
}
