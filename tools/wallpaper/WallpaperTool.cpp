// "Wallpaper changer" page: the picture list, its file, and the random wallpaper.
#include "tools/wallpaper/WallpaperTool.h"

#include "platform/FileStreams.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "platform/TextFiles.h"
#include "platform/Wallpaper.h"
#include "tools/wallpaper/JpegToBitmap.h"
#include "ui/Handlers.h"
#include "utilities/DataFiles.h"
#include "utilities/ErrorText.h"
#include "utilities/FileNames.h"

namespace {

std::wstring TooLargeMessage(const std::wstring& jpegPath, const PictureTooLarge& picture) {
  return L"The picture \"" + jpegPath + L"\" is too large to use as the wallpaper: " +
         std::to_wstring(picture.Width()) + L" \u00D7 " + std::to_wstring(picture.Height()) + L" pixels.";
}

}  // namespace

WallpaperTool::WallpaperTool(ToolHost& host) : Tool(host) {
  Avaaja3.filter = L"Pictures|*.bmp;*.jpg;*.jpeg";
  Avaaja3.multiSelect = true;
}

void WallpaperTool::CreateControls(Page& page) {
  const HFONT font = host_.Fonts().normal.Get();
  const HWND SH10 = PageHandle();
  Lbl15 = CreateLabel(SH10, L"(Tip) You can set random wallpaper from Tray Icon menu too (right click it)",
                      {3, 16, 355, 13}, font);
  BtnAddW = page.Bind(CreateSpeedButton(SH10, L"Add Pictures", {0, 35, 370, 22}, 0, font, L'A'),
                      OnClick([this] { BtnAddWClick(); }));
  LstWP = page.Bind(CreateOrderedFileListBox(SH10, {0, 63, 370, 322}, font, WS_EX_CLIENTEDGE),
                    OnSelect([this] { LstWPClick(); }));
  SetAccessibleName(LstWP, L"Wallpaper pictures");
  BtnWRem = page.Bind(CreateSpeedButton(SH10, L"Remove Selected", {376, 63, 209, 22}, 0, font, L'R'),
                      OnClick([this] { BtnWRemClick(); }));
  BtnMUp2 = page.Bind(CreateSpeedButton(SH10, L"Move Selected Up", {376, 176, 209, 22}, 0, font, L'U'),
                      OnClick([this] { BtnMUp2Click(); }));
  BtnMD2 = page.Bind(CreateSpeedButton(SH10, L"Move Selected Down", {376, 204, 209, 22}, 0, font, L'D'),
                     OnClick([this] { BtnMD2Click(); }));
  BtnRWP = page.Bind(CreateSpeedButton(SH10, L"Set random wallpaper", {376, 280, 209, 25}, 0, font, L'W'),
                     OnClick([this] { BtnRWPClick(); }));
  for (HWND button : {BtnWRem, BtnMUp2, BtnMD2, BtnRWP}) EnableWindow(button, FALSE);
  pictures_.Show(LstWP, BtnWRem, BtnMUp2, BtnMD2);
  ApplyRandomWallpaperRule();
}

std::wstring WallpaperTool::ListFile() const { return DataFile(host_.AppDir(), L"wp.txt"); }

void WallpaperTool::ApplyRandomWallpaperRule() { EnableWindow(BtnRWP, pictures_.Count() > 0); }

void WallpaperTool::LoadWallpaperList() {
  const std::wstring path = ListFile();
  if (!FileExists(path)) return;
  RunHandler(host_.Window(), [this, &path] {
    try {
      bool exact = true;
      pictures_.SetEntries(ReadTextListFile(path, &exact));
      if (!exact) throw AppError(CannotChangeListFileMessage(path));
    } catch (const AppError&) {
      listUnreadable_ = true;
      throw;
    }
  });
}

void WallpaperTool::SaveWallpaperListOnce() {
  if (saved_) return;
  saved_ = true;
  if (!listUnreadable_) WriteTextListFile(ListFile(), pictures_.Entries());
}

void WallpaperTool::BtnAddWClick() {
  pictures_.AddFrom(Avaaja3, host_.Window());
  ApplyRandomWallpaperRule();
}

void WallpaperTool::LstWPClick() { pictures_.SelectionChanged(); }

void WallpaperTool::BtnWRemClick() {
  pictures_.RemoveSelected();
  ApplyRandomWallpaperRule();
}

void WallpaperTool::BtnMUp2Click() { pictures_.MoveCurrent(-1); }

void WallpaperTool::BtnMD2Click() { pictures_.MoveCurrent(+1); }

void WallpaperTool::BtnRWPClick() {
  const std::vector<std::wstring> entries = pictures_.Entries();
  if (entries.empty()) return;
  std::wstring picture = entries[host_.Random().Below(static_cast<std::uint32_t>(entries.size()))];
  picture = BitmapFor(picture, L".jpeg");
  picture = BitmapFor(picture, L".jpg");
  SetDesktopWallpaper(picture);
}

// As the button, which is enabled while there are pictures: the page need not have been made.
void WallpaperTool::Setanewrandomwallpaper1Click() { BtnRWPClick(); }

std::wstring WallpaperTool::BitmapFor(const std::wstring& picture, const wchar_t* jpegExtension) {
  if (FileExtension(picture) != jpegExtension) return picture;
  const std::wstring bitmap = ChangeFileExtension(picture, L".bmp");
  if (IsPathAbsent(bitmap)) ConvertJpegToBitmap(bitmap, picture);
  return bitmap;
}

// Row by row from the JPEG into a new file beside the bitmap's place, which it takes only once whole.
void WallpaperTool::ConvertJpegToBitmap(const std::wstring& bitmapPath, const std::wstring& jpegPath) {
  FileReader jpeg(jpegPath);
  try {
    JpegToBitmap converter([&jpeg](std::uint8_t* buffer, std::size_t size) { return jpeg.Read(buffer, size); });
    FileBeside bitmap(bitmapPath);
    converter.WriteBitmap([&bitmap](std::uint64_t offset, const std::uint8_t* bytes, std::size_t size) {
      bitmap.WriteAt(offset, bytes, size);
    });
    bitmap.CommitWithoutReplacing();  // a bitmap made meanwhile by another writer is kept
  } catch (const PictureTooLarge& picture) {
    throw AppError(TooLargeMessage(jpegPath, picture));
  } catch (const JpegError& error) {
    jpeg.ThrowIfFailed();  // the data stopped because the file could not be read
    throw AppError(L"JPEG error #" + std::to_wstring(error.Code()));
  }
}
