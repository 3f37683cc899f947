// "Wallpaper changer" page: the picture list, its file, and the random wallpaper.
#include "tools/wallpaper/WallpaperTool.h"

#include <exception>

#include "platform/Boxes.h"
#include "platform/FileStreams.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "platform/TextFiles.h"
#include "platform/Wallpaper.h"
#include "tools/wallpaper/JpegToBitmap.h"
#include "ui/Handlers.h"
#include "utilities/AsciiCase.h"
#include "utilities/DataFiles.h"
#include "utilities/ErrorText.h"
#include "utilities/FileNames.h"

namespace {

constexpr wchar_t kRandomCaption[] = L"Set random wallpaper";
constexpr wchar_t kConvertingCaption[] = L"Converting...";
constexpr DWORD kAnswerIntervalMs = 10;

// ".jpg" and ".jpeg" in any letter case: cameras name their pictures "IMG_0001.JPG".
bool IsJpegFileName(const std::wstring& path) {
  const std::wstring extension = AsciiLowerCase(FileExtension(path));
  return extension == L".jpg" || extension == L".jpeg";
}

std::wstring TooLargeMessage(const std::wstring& jpegPath, const PictureTooLarge& picture) {
  return L"The picture \"" + jpegPath + L"\" is too large to use as the wallpaper: " +
         std::to_wstring(picture.Width()) + L" \u00D7 " + std::to_wstring(picture.Height()) + L" pixels.";
}

std::wstring TooManyScansMessage(const std::wstring& jpegPath) {
  return L"The picture \"" + jpegPath + L"\" is not used as the wallpaper: it is stored in more than " +
         std::to_wstring(kJpegScanLimit) + L" scans, far more than any camera or program writes, and would take " +
         L"minutes to convert.";
}

std::wstring NotAFileMessage(const std::wstring& picture, const std::wstring& shown) {
  const std::wstring why = picture == shown ? L"it is not a file." : L"its bitmap \"" + shown + L"\" is not a file.";
  return L"The picture \"" + picture + L"\" is not used as the wallpaper: " + why;
}

std::wstring ListNotLoadedMessage(const std::wstring& reason) {
  return ErrorBoxText(reason) + L" The picture list could not be loaded, and its file is left as it is.";
}

// Row by row from the JPEG into a new file beside the bitmap's place, which it takes only once whole;
// what was written is removed when the conversion fails or stops. Runs on the conversion's thread.
void ConvertJpegToBitmap(const std::wstring& bitmapPath, const std::wstring& jpegPath, const std::atomic<bool>& stop) {
  FileReader jpeg(jpegPath);
  try {
    JpegToBitmap converter([&jpeg](std::uint8_t* buffer, std::size_t size) { return jpeg.Read(buffer, size); });
    FileBeside bitmap(bitmapPath);
    converter.WriteBitmap([&bitmap](std::uint64_t offset, const std::uint8_t* bytes,
                                    std::size_t size) { bitmap.WriteAt(offset, bytes, size); },
                          &stop);
    bitmap.CommitWithoutReplacing();  // a bitmap made meanwhile by another writer is kept
  } catch (const PictureTooLarge& picture) {
    throw AppError(TooLargeMessage(jpegPath, picture));
  } catch (const TooManyScans&) {
    throw AppError(TooManyScansMessage(jpegPath));
  } catch (const JpegError& error) {
    jpeg.ThrowIfFailed();  // the data stopped because the file could not be read
    throw AppError(L"JPEG error #" + std::to_wstring(error.Code()) + L" in \"" + jpegPath + L"\": " +
                   WidenMessage(error.what()));
  }
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
  BtnRWP = page.Bind(CreateSpeedButton(SH10, kRandomCaption, {376, 280, 209, 25}, 0, font, L'W'),
                     OnClick([this] { BtnRWPClick(); }));
  if (converting_) ShowCaption(kConvertingCaption);  // the tray's conversion goes on
  for (HWND button : {BtnWRem, BtnMUp2, BtnMD2, BtnRWP}) EnableWindow(button, FALSE);
  pictures_.Show(LstWP, BtnWRem, BtnMUp2, BtnMD2);
  ApplyRandomWallpaperRule();
}

std::wstring WallpaperTool::ListFile() const { return DataFile(host_.AppDir(), L"wp.txt"); }

void WallpaperTool::ApplyRandomWallpaperRule() { EnableWindow(BtnRWP, pictures_.Count() > 0); }

void WallpaperTool::LoadWallpaperList() {
  const std::wstring path = ListFile();
  if (!FileExists(path)) return;
  if (const std::optional<std::wstring> failure = ReadListFile(path)) {
    listUnreadable_ = true;
    ShowErrorBox(host_.Window(), *failure);
  }
}

std::optional<std::wstring> WallpaperTool::ReadListFile(const std::wstring& path) {
  bool exact = true;
  try {
    storedPictures_ = ReadTextListFile(path, &exact, &listEncoding_);
    pictures_.SetEntries(storedPictures_);
  } catch (const AppError& error) {
    return ListNotLoadedMessage(error.Message());
  } catch (const std::exception& error) {  // out of memory above all
    return ListNotLoadedMessage(CannotOpenFileMessage(path, StandardExceptionText(error)));
  }
  if (!exact) return CannotChangeListFileMessage(path);
  return std::nullopt;
}

void WallpaperTool::StopConversion() {
  if (!conversion_.joinable()) return;
  stopConversion_ = true;
  conversion_.join();
}

void WallpaperTool::SaveWallpaperListOnce() {
  if (saved_) return;
  saved_ = true;
  if (listUnreadable_ || pictures_.Entries() == storedPictures_) return;
  WriteTextListFile(ListFile(), pictures_.Entries(), listEncoding_);
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
  if (converting_) return;  // a press, or the tray's command, while the conversion pumps messages
  const std::vector<std::wstring> entries = pictures_.Entries();
  if (entries.empty()) return;
  const std::wstring& picture = entries[host_.Random().Below(static_cast<std::uint32_t>(entries.size()))];
  const std::optional<std::wstring> shown = IsJpegFileName(picture) ? BitmapFor(picture) : picture;
  if (!shown) return;
  // A folder or a device named like a picture would leave the desktop empty; a missing file is the
  // system's to refuse.
  if (!IsPathAbsent(*shown) && !IsDiskFile(*shown)) throw AppError(NotAFileMessage(picture, *shown));
  SetDesktopWallpaper(*shown);
}

// As the button, which is enabled while there are pictures: the page need not have been made.
void WallpaperTool::Setanewrandomwallpaper1Click() { BtnRWPClick(); }

std::optional<std::wstring> WallpaperTool::BitmapFor(const std::wstring& jpeg) {
  const std::wstring bitmap = ChangeFileExtension(jpeg, L".bmp");
  if (IsPathAbsent(bitmap) && !ConvertWhileAnswering(bitmap, jpeg)) return std::nullopt;
  return bitmap;
}

bool WallpaperTool::ConvertWhileAnswering(const std::wstring& bitmapPath, const std::wstring& jpegPath) {
  const RunningFlag running(converting_);
  const LongWork longWork(host_);  // closing the window meanwhile takes effect once the conversion has stopped
  std::atomic<bool> ended{false};
  bool stopped = false;
  std::exception_ptr failure;
  stopConversion_ = false;
  conversion_ = std::thread([&] {
    try {
      ConvertJpegToBitmap(bitmapPath, jpegPath, stopConversion_);
    } catch (const ConversionStopped&) {
      stopped = true;
    } catch (...) {
      failure = std::current_exception();
    }
    ended = true;
  });
  ShowCaption(kConvertingCaption);
  while (!ended) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kAnswerIntervalMs, QS_ALLINPUT);
    ProcessPendingMessages(host_.Window());
    if (host_.EndRequested()) stopConversion_ = true;
  }
  if (conversion_.joinable()) conversion_.join();  // unless the end of the session has waited for it
  ShowCaption(kRandomCaption);
  if (failure) std::rethrow_exception(failure);
  return !stopped;
}

void WallpaperTool::ShowCaption(const wchar_t* caption) {
  if (BtnRWP) SetWindowTextW(BtnRWP, caption);
}
