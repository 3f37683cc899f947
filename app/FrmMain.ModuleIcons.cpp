// The Home page's icon view: one large icon for each tool; a double-click opens the tool's page.
#include "app/FrmMain.h"

#include <commctrl.h>

#include <algorithm>

#include "app/ResourceIds.h"
#include "utilities/DpiScale.h"

namespace {

constexpr COLORREF kSkyBlue = RGB(166, 202, 240);
constexpr int kModulePictureCount = static_cast<int>(kTools.size());
static_assert(kModulePictureCount <= IDR_MODULE_FRAME_STEP, "more pictures than a frame's ids hold");
constexpr Bounds kIconView = {0, 137, 585, 208};
// Room for each icon and its caption: eight icons lie in two even rows of four. More icons share the
// rows the view's height holds, each column narrower, down to the picture and a short caption.
constexpr int kIconSpacingX = 140;
constexpr int kIconSpacingY = 100;
constexpr int kNarrowestIconSpacingX = 80;
constexpr int kIconRows = kIconView.height / kIconSpacingY;
static_assert(kModulePictureCount <= kIconRows * (kIconView.width / kNarrowestIconSpacingX),
              "the icon view cannot show every icon without scrolling");

// The spacing that puts every icon in the view, filling its rows from the left: the view's width
// shared by the columns, at most the usual spacing.
SIZE IconSpacing(HWND view, int dpi) {
  RECT client;
  GetClientRect(view, &client);
  constexpr int columns = (kModulePictureCount + kIconRows - 1) / kIconRows;
  return SIZE{std::min(ScaleToDpi(kIconSpacingX, dpi), static_cast<int>(client.right) / columns),
              ScaleToDpi(kIconSpacingY, dpi)};
}

}  // namespace

void TFrmMain::CreateModuleIcons() {
  Kuvakkeet = pages_[kPageHome]->Bind(
      // Every icon lies in view, their spacing made for it: the view never scrolls.
      CreateChild(PageHandle(kPageHome), WC_LISTVIEWW, L"",
                  WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_AUTOARRANGE | LVS_NOSCROLL, kIconView, 0,
                  fonts_.normal.Get()),
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
  // One row of the pictures, added at once: an icon each, drawn into the list one by one, cost
  // a tenth of the start-up.
  std::vector<Picture> pictures;
  const int frame = PictureFrameForDpi(dpi_);
  for (int picture = 0; picture < kModulePictureCount; ++picture)
    pictures.push_back(LoadPngResource(instance_, IDR_MODULE(frame, picture)));
  const ScopedBitmap row = CreateAlphaBitmap(JoinSideBySide(pictures));
  const int size = pictures.front().width;
  ScopedImageList previous = std::move(Kuvakekuvat);  // the view holds on to it until given the new one
  Kuvakekuvat.Reset(ImageList_Create(size, size, ILC_COLOR32, kModulePictureCount, 0));
  ImageList_Add(Kuvakekuvat.Get(), row.Get(), nullptr);
  ListView_SetImageList(Kuvakkeet, Kuvakekuvat.Get(), LVSIL_NORMAL);
  const SIZE spacing = IconSpacing(Kuvakkeet, dpi_);
  ListView_SetIconSpacing(Kuvakkeet, spacing.cx, spacing.cy);
  ListView_Arrange(Kuvakkeet, LVA_DEFAULT);  // icons placed at another DPI's spacing take the new one
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
