#pragma once
#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "platform/FileDialogs.h"
#include "platform/TextFiles.h"
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
  // it when made. A file that is there but cannot be read whole, for whatever reason, is reported and
  // then left alone at the end, so that its entries survive.
  void LoadWallpaperList();
  // Saves the list to Data\wp.txt, in the encoding it was read in, as the program or the Windows
  // session ends, when it has changed since; the first call saves, later ones do nothing.
  void SaveWallpaperListOnce();
  // Stops a JPEG conversion under way and waits until its thread has removed what it wrote: the end of
  // the session may end the process as soon as its window has answered.
  void StopConversion();

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
  // Why the list file could not be read whole; nothing once its entries are the list's.
  std::optional<std::wstring> ReadListFile(const std::wstring& path);
  void ApplyRandomWallpaperRule();
  // The bitmap to show for a JPEG: the ".bmp" beside it, made now when there is none yet; nothing when
  // the conversion was stopped.
  std::optional<std::wstring> BitmapFor(const std::wstring& jpeg);
  // Converts on a thread of its own while the window answers; closing the window, Exit or the end of
  // the session stops it. False when stopped.
  bool ConvertWhileAnswering(const std::wstring& bitmapPath, const std::wstring& jpegPath);
  void ShowCaption(const wchar_t* caption);

  OrderedFileList pictures_;
  std::vector<std::wstring> storedPictures_;  // the list as Data\wp.txt holds it
  ListEncoding listEncoding_ = ListEncoding::Ansi;
  bool listUnreadable_ = false;
  bool saved_ = false;
  bool converting_ = false;
  std::thread conversion_;
  std::atomic<bool> stopConversion_{false};
};
