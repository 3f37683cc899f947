// The Home page's icon view: one large icon for each tool; a double-click opens the tool's page.
#include "app/FrmMain.h"

#include <commctrl.h>

#include "app/ResourceIds.h"
#include "utilities/DpiScale.h"

namespace {

constexpr COLORREF kSkyBlue = RGB(166, 202, 240);
constexpr int kModulePictureCount = static_cast<int>(kTools.size());
// Room for each icon and its caption, so the eight icons lie in two even rows of four.
constexpr int kIconSpacingX = 140;
constexpr int kIconSpacingY = 100;

}  // namespace

void TFrmMain::CreateModuleIcons() {
  Kuvakkeet = pages_[kPageHome]->Bind(
      CreateChild(PageHandle(kPageHome), WC_LISTVIEWW, L"", WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_AUTOARRANGE,
                  {0, 137, 585, 208}, 0, fonts_.normal.Get()),
      OnItemDoubleClick([this](POINT point) { KuvakkeetDblClick(point); }).OnKeyDown([this](WORD key) {
        if (key == VK_RETURN) OpenSelectedModule();
      }));
  SetAccessibleName(Kuvakkeet, L"Modules");
  LoadModulePictures();
  ShowModuleIconColours();
  for (int position = 0; position < static_cast<int>(kTools.size()); ++position) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = position;
    item.pszText = const_cast<wchar_t*>(kTools[position].icon);
    item.iImage = kTools[position].picture;
    ListView_InsertItem(Kuvakkeet, &item);
  }
}

void TFrmMain::ShowModuleIconColours() {
  const COLORREF background = ShownColour(kSkyBlue, COLOR_WINDOW);
  ListView_SetBkColor(Kuvakkeet, background);
  ListView_SetTextBkColor(Kuvakkeet, background);
  ListView_SetTextColor(Kuvakkeet, GetSysColor(COLOR_WINDOWTEXT));
}

void TFrmMain::LoadModulePictures() {
  // One row of the eight pictures, added at once: an icon each, drawn into the list one by one, cost
  // a tenth of the start-up.
  std::vector<Picture> pictures;
  const int first = IDR_MODULE_FIRST + IDR_MODULE_FRAME_STEP * PictureFrameForDpi(dpi_);
  for (int picture = 0; picture < kModulePictureCount; ++picture)
    pictures.push_back(LoadPngResource(instance_, first + picture));
  const ScopedBitmap row = CreateAlphaBitmap(JoinSideBySide(pictures));
  const int size = pictures.front().width;
  ScopedImageList previous = std::move(Kuvakekuvat);  // the view holds on to it until given the new one
  Kuvakekuvat.Reset(ImageList_Create(size, size, ILC_COLOR32, kModulePictureCount, 0));
  ImageList_Add(Kuvakekuvat.Get(), row.Get(), nullptr);
  ListView_SetImageList(Kuvakkeet, Kuvakekuvat.Get(), LVSIL_NORMAL);
  ListView_SetIconSpacing(Kuvakkeet, ScaleToDpi(kIconSpacingX, dpi_), ScaleToDpi(kIconSpacingY, dpi_));
}

void TFrmMain::KuvakkeetDblClick(POINT clientPoint) {
  LVHITTESTINFO hit{};
  hit.pt = clientPoint;
  ListView_HitTest(Kuvakkeet, &hit);
  // Only a double-click on an item itself (its picture, caption or state picture) opens a page.
  const bool onItem = (hit.flags & LVHT_ONITEM) != 0 && (hit.flags & ~LVHT_ONITEM) == 0;
  if (onItem) OpenSelectedModule();
}

void TFrmMain::OpenSelectedModule() {
  const int selected = ListView_GetNextItem(Kuvakkeet, -1, LVNI_SELECTED);
  if (selected < 0) return;
  SetActivePage(PageOfModuleIcon(selected));
  TabitChange();
}
