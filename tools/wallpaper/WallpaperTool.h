#pragma once
#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "platform/FileDialogs.h"
#include "platform/Handles.h"
#include "platform/TextFiles.h"
#include "platform/WindowTimer.h"
#include "tools/wallpaper/WallpaperRotation.h"
#include "ui/ComboBox.h"
#include "ui/OrderedFileList.h"
#include "ui/Page.h"
#include "ui/Tool.h"

// "Wallpaper changer": a list of pictures kept in Data\wp.txt, one of which, drawn at random, becomes
// the desktop wallpaper, on a press or at each interval chosen; every picture of the list comes once
// before any comes again. A JPEG or a PNG is converted once to a bitmap beside it, which is used from
// then on.
class WallpaperTool : public Tool {
 public:
  explicit WallpaperTool(ToolHost& host);
  bool KeepsSettings() const override { return true; }
  void StoreSettings(SettingsFile& file) const override;
  void RestoreSettings(const SettingsFile& file) override;
  std::optional<std::wstring> ArmedLine() const override;
  std::wstring ArmedName() const override { return L"the wallpaper change"; }
  void StartedInTray() override;

  // Controls.
  HWND Lbl15 = nullptr, BtnAddW = nullptr, LstWP = nullptr, BtnWRem = nullptr, BtnMUp2 = nullptr, BtnMD2 = nullptr;
  HWND BtnRWP = nullptr, LblChange = nullptr, LblFit = nullptr;
  ComboBox<std::size_t> CboChange, CboFit;  // into kChangeIntervals and kWallpaperFits
  // Non-visual components.
  FileDialog Avaaja3, FolderChooser;  // the pictures' open dialog, "Add Folder..."
  ScopedMenu PopWP;                  // the list's menu
  static constexpr UINT kCmdAddFolder = 100;
  static constexpr UINT_PTR kTimerChange = 1;
  WindowTimer ChangeTimer{kTimerChange, 0};

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
  void LstWPDropFiles(const std::vector<std::wstring>& paths);
  void AddFolderClick();
  void CboChangeChange();
  void ChangeTimerTimer();

 private:
  void CreateControls(Page& page) override;
  void CreateChangeControls(Page& page, HFONT font);
  void AddPictures(const std::vector<std::wstring>& paths);
  // Sets the next picture of the round as the wallpaper, placed as "Picture position" says.
  void ShowNextPicture();
  // The list's entry that is the wallpaper now, as its path or its bitmap's; empty when none is.
  std::wstring CurrentPicture(const std::vector<std::wstring>& entries) const;
  void ApplyChangeInterval();
  std::wstring ListFile() const;
  // Why the list file could not be read whole; nothing once its entries are the list's.
  std::optional<std::wstring> ReadListFile(const std::wstring& path);
  void ApplyRandomWallpaperRule();
  // The bitmap to show for a JPEG or a PNG: the ".bmp" beside it, made now when there is none yet;
  // nothing when the conversion was stopped.
  std::optional<std::wstring> BitmapFor(const std::wstring& picture);
  // Converts on a thread of its own while the window answers; closing the window, Exit or the end of
  // the session stops it. False when stopped.
  bool ConvertWhileAnswering(const std::wstring& bitmapPath, const std::wstring& picturePath);
  void ShowCaption(const wchar_t* caption);

  OrderedFileList pictures_;
  PictureRound round_;
  std::vector<std::wstring> storedPictures_;  // the list as Data\wp.txt holds it
  ListEncoding listEncoding_ = ListEncoding::Ansi;
  bool listUnreadable_ = false;
  bool saved_ = false;
  bool converting_ = false;
  std::thread conversion_;
  std::atomic<bool> stopConversion_{false};
};
