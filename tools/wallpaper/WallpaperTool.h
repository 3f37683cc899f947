#pragma once
#include <windows.h>

#include <string>

#include "platform/FileDialogs.h"
#include "ui/OrderedFileList.h"
#include "ui/Page.h"
#include "ui/Tool.h"

// "Wallpaper changer": a list of pictures kept in Data\wp.txt, one of which, drawn at random, becomes
// the desktop wallpaper; a JPEG is converted once to a bitmap beside it, which is used from then on.
class WallpaperTool : public Tool {
 public:
  explicit WallpaperTool(ToolHost& host);

  // Controls.
  HWND Lbl15 = nullptr, BtnAddW = nullptr, LstWP = nullptr, BtnWRem = nullptr, BtnMUp2 = nullptr, BtnMD2 = nullptr;
  HWND BtnRWP = nullptr;
  // Non-visual components.
  FileDialog Avaaja3;

  // Loads the list from Data\wp.txt when the file exists, as the program starts; the page's list shows
  // it when made. A file that is there but cannot be read is reported and then left alone at the end, so that its
  // entries survive.
  void LoadWallpaperList();
  // Saves the list to Data\wp.txt, as the program or the Windows session ends; the first call saves,
  // later ones do nothing.
  void SaveWallpaperListOnce();

  // Handlers.
  void BtnAddWClick();
  void LstWPClick();
  void BtnWRemClick();
  void BtnMUp2Click();
  void BtnMD2Click();
  void BtnRWPClick();
  void Setanewrandomwallpaper1Click();

 private:
  void CreateControls(Page& page) override;
  std::wstring ListFile() const;
  void ApplyRandomWallpaperRule();
  // The bitmap to show for the picture: for the JPEG extension given, the ".bmp" beside it, made now
  // when there is none yet; otherwise the picture itself.
  std::wstring BitmapFor(const std::wstring& picture, const wchar_t* jpegExtension);
  void ConvertJpegToBitmap(const std::wstring& bitmapPath, const std::wstring& jpegPath);

  OrderedFileList pictures_;
  bool listUnreadable_ = false;
  bool saved_ = false;
};
