// The Home page: logo, version, the maker's link and credit, the module icons and the tray button.
#include "app/FrmMain.h"

#include <commctrl.h>

#include "app/ResourceIds.h"
#include "app/Version.h"
#include "platform/HighContrast.h"
#include "utilities/DpiScale.h"
#include "utilities/Maker.h"

void TFrmMain::CreateHomePage() {
  Page& home = *pages_[kPageHome];
  const HWND SH1 = home.Handle();
  LoadLogo();
  home.AddBevel({0, 3, 585, 112}, BDR_RAISEDINNER, BF_RECT);  // Bevel1
  // The picture of the frame for the DPI at its own size; its place follows the layout.
  home.AddPainting({166, 14, 220, 60}, [this](HDC dc, const RECT& r) { DrawLogo(dc, r); });  // ImgLogo
  CreateModuleIcons();  // Kuvakkeet comes first in the tab order
  LblVersion = CreateLabel(SH1, L"" QUOXEL_VERSION_TEXT, {384, 41, 28, 25}, versionFont_.Get());
  Lbl18 = CreateLabel(SH1, L"Check for &updates:", {180, 80, 92, 13}, fonts_.normal.Get());
  LblLink1 = home.Bind(CreateLabel(SH1, kMakerAddress, {278, 80, 83, 13}, fonts_.link.Get()),
                       LinkLabel([this] { LblLink1Click(); }));
  KeepRightOf(LblLink1, Lbl18, kLinkGap);
  Lbl14 = CreateLabel(SH1, kMakerCredit, {208, 97, 137, 13}, fonts_.normal.Get());
  Lbl1 = CreateLabel(SH1, L"Double-click an icon to select a module:", {171, 118, 222, 13}, fonts_.bold.Get());
  BtnMinTray = home.Bind(
      CreateSpeedButton(SH1, L"Minimize Quoxel in system tray", {0, 351, 585, 34}, 0, fonts_.normal.Get(), L'M'),
      OnClick([this] { BtnMinTrayClick(); }));
}

void TFrmMain::LoadLogo() {
  logoPicture_ = LoadPngResource(instance_, IDR_LOGO + PictureFrameForDpi(dpi_));
  logo_ = CreatePremultipliedBitmap(logoPicture_);
}

// In high contrast the wordmark, dark blue on any background, takes the system's text colour; the
// emblem in the logo's first quarter stays a picture, as the tools' icons do.
void TFrmMain::DrawLogo(HDC dc, const RECT& place) const {
  const int width = logoPicture_.width, height = logoPicture_.height;
  if (!HighContrastOn()) return DrawPicture(dc, logo_.Get(), place.left, place.top, width, height);
  const ScopedBitmap wordmark =
      CreatePremultipliedBitmap(InOneColourFrom(logoPicture_, width / 4, GetSysColor(COLOR_BTNTEXT)));
  DrawPicture(dc, wordmark.Get(), place.left, place.top, width, height);
}
