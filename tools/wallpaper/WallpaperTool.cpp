// "Wallpaper changer" page: the picture list, its file, and the random wallpaper.
#include "tools/wallpaper/WallpaperTool.h"

#include <exception>

#include "platform/Boxes.h"
#include "platform/DroppedFiles.h"
#include "platform/FileStreams.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/TextFiles.h"
#include "platform/Wallpaper.h"
#include "tools/wallpaper/JpegToBitmap.h"
#include "tools/wallpaper/PngToBitmap.h"
#include "tools/wallpaper/WallpaperSettings.h"
#include "ui/Handlers.h"
#include "utilities/AsciiCase.h"
#include "utilities/DataFiles.h"
#include "utilities/ErrorText.h"
#include "utilities/FileNames.h"

namespace {

constexpr wchar_t kRandomCaption[] = L"Set random wallpaper";
constexpr wchar_t kConvertingCaption[] = L"Converting...";
constexpr DWORD kAnswerIntervalMs = 10;
constexpr int kChoiceListHeight = 160;
constexpr UINT kMillisecondsPerMinute = 60 * 1000;
constexpr wchar_t kNotChangedTitle[] = L"Wallpaper not changed";

// ".jpg" and ".jpeg" in any letter case: cameras name their pictures "IMG_0001.JPG".
bool IsJpegFileName(const std::wstring& path) {
  const std::wstring extension = AsciiLowerCase(FileExtension(path));
  return extension == L".jpg" || extension == L".jpeg";
}

bool IsPngFileName(const std::wstring& path) { return AsciiLowerCase(FileExtension(path)) == L".png"; }

// The desktop shows bitmaps; other pictures are shown through one made beside them.
bool NeedsBitmap(const std::wstring& path) { return IsJpegFileName(path) || IsPngFileName(path); }

std::wstring ShownPath(const std::wstring& picture) {
  return NeedsBitmap(picture) ? ChangeFileExtension(picture, L".bmp") : picture;
}

std::wstring TooLargeMessage(const std::wstring& picturePath, const PictureTooLarge& picture) {
  return L"The picture \"" + picturePath + L"\" is too large to use as the wallpaper: " +
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

// Row by row from the picture into a new file beside the bitmap's place, which it takes only once
// whole; what was written is removed when the conversion fails or stops.
template <typename Converter>
void WriteBitmapBeside(Converter& converter, const std::wstring& bitmapPath, const std::atomic<bool>& stop) {
  FileBeside bitmap(bitmapPath);
  converter.WriteBitmap([&bitmap](std::uint64_t offset, const std::uint8_t* bytes,
                                  std::size_t size) { bitmap.WriteAt(offset, bytes, size); },
                        &stop);
  bitmap.CommitWithoutReplacing();  // a bitmap made meanwhile by another writer is kept
}

// Runs on the conversion's thread.
void ConvertJpegToBitmap(const std::wstring& bitmapPath, const std::wstring& jpegPath, const std::atomic<bool>& stop) {
  FileReader jpeg(jpegPath);
  try {
    JpegToBitmap converter([&jpeg](std::uint8_t* buffer, std::size_t size) { return jpeg.Read(buffer, size); });
    WriteBitmapBeside(converter, bitmapPath, stop);
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

void ConvertPngToBitmap(const std::wstring& bitmapPath, const std::wstring& pngPath, const std::atomic<bool>& stop) {
  FileReader png(pngPath);
  try {
    PngToBitmap converter([&png](std::uint8_t* buffer, std::size_t size) { return png.Read(buffer, size); });
    WriteBitmapBeside(converter, bitmapPath, stop);
  } catch (const PictureTooLarge& picture) {
    throw AppError(TooLargeMessage(pngPath, picture));
  } catch (const PngError& error) {
    png.ThrowIfFailed();
    throw AppError(L"The picture \"" + pngPath + L"\" is not used as the wallpaper: " + WidenMessage(error.what()));
  }
}

}  // namespace

WallpaperTool::WallpaperTool(ToolHost& host) : Tool(host) {
  Avaaja3.filter = L"Pictures|*.bmp;*.jpg;*.jpeg;*.png";
  Avaaja3.multiSelect = true;
  FolderChooser.kind = FileDialog::Kind::Folder;
  FolderChooser.title = L"Add the pictures of a folder";
}

void WallpaperTool::CreateControls(Page& page) {
  const HFONT font = host_.Fonts().normal.Get();
  const HWND SH10 = PageHandle();
  Lbl15 = CreateLabel(SH10, L"(Tip) You can set random wallpaper from Tray Icon menu too (right click it)",
                      {3, 16, 355, 13}, font);
  BtnAddW = page.Bind(CreateSpeedButton(SH10, L"Add Pictures", {0, 35, 370, 22}, 0, font, L'A'),
                      OnClick([this] { BtnAddWClick(); }));
  LstWP = page.Bind(CreateOrderedFileListBox(SH10, {0, 63, 370, 322}, font, WS_EX_CLIENTEDGE),
                    OnSelect([this] { LstWPClick(); })
                        .OnContextMenu([this](POINT at) { ShowPopupMenu(PopWP.Get(), PageHandle(), at); })
                        .OnDropFiles([this](const std::vector<std::wstring>& paths) { LstWPDropFiles(paths); }));
  SetAccessibleName(LstWP, L"Wallpaper pictures");
  BtnWRem = page.Bind(CreateSpeedButton(SH10, L"Remove Selected", {376, 63, 209, 22}, 0, font, L'R'),
                      OnClick([this] { BtnWRemClick(); }));
  BtnMUp2 = page.Bind(CreateSpeedButton(SH10, L"Move Selected Up", {376, 176, 209, 22}, 0, font, L'U'),
                      OnClick([this] { BtnMUp2Click(); }));
  BtnMD2 = page.Bind(CreateSpeedButton(SH10, L"Move Selected Down", {376, 204, 209, 22}, 0, font, L'D'),
                     OnClick([this] { BtnMD2Click(); }));
  BtnRWP = page.Bind(CreateSpeedButton(SH10, kRandomCaption, {376, 280, 209, 25}, 0, font, L'W'),
                     OnClick([this] { BtnRWPClick(); }));
  CreateChangeControls(page, font);
  PopWP.Reset(CreatePopupMenu());
  AppendMenuW(PopWP.Get(), MF_STRING, kCmdAddFolder, L"Add &Folder...");
  page.BindMenuCommand(kCmdAddFolder, [this] { AddFolderClick(); });
  page.BindTimer(ChangeTimer, [this] { ChangeTimerTimer(); });
  if (converting_) ShowCaption(kConvertingCaption);  // the tray's conversion goes on
  for (HWND button : {BtnWRem, BtnMUp2, BtnMD2, BtnRWP}) EnableWindow(button, FALSE);
  pictures_.Show(LstWP, BtnWRem, BtnMUp2, BtnMD2);
  ApplyRandomWallpaperRule();
}

// Below "Set random wallpaper", each list after the label that names it.
void WallpaperTool::CreateChangeControls(Page& page, HFONT font) {
  const HWND SH10 = PageHandle();
  const auto makeList = [&](int top, Binding::Action chosen) {
    return page.Bind(CreateChild(SH10, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                 {466, top, 119, 21 + kChoiceListHeight}, 0, font),
                     OnSelect(std::move(chosen)));
  };
  LblChange = CreateLabel(SH10, L"Change every", {376, 326, 86, 13}, font);
  CboChange.Attach(makeList(322, [this] { CboChangeChange(); }));
  CboChange.SetItems({0, 1, 2, 3, 4, 5, 6}, [](const std::size_t& choice) { return kChangeIntervals[choice].caption; });
  LblFit = CreateLabel(SH10, L"Picture position", {376, 356, 86, 13}, font);
  CboFit.Attach(makeList(352, [this] { host_.SettingsChanged(); }));
  CboFit.SetItems({0, 1, 2, 3, 4, 5, 6}, [](const std::size_t& fit) { return kWallpaperFits[fit].caption; });
  KeepRightOf(CboChange.Handle(), LblChange, 4);
  KeepRightOf(CboFit.Handle(), LblFit, 4);
  SetAccessibleName(CboChange.Handle(), L"Change every");
  SetAccessibleName(CboFit.Handle(), L"Picture position");
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

void WallpaperTool::AddPictures(const std::vector<std::wstring>& paths) {
  pictures_.Add(paths);
  ApplyRandomWallpaperRule();
}

// Dropped files as "Add Pictures" adds them; a dropped folder's own pictures.
void WallpaperTool::LstWPDropFiles(const std::vector<std::wstring>& paths) {
  AddPictures(FilesOfDrop(paths, IsPictureFileName));
}

void WallpaperTool::AddFolderClick() {
  if (FolderChooser.Execute(host_.Window())) AddPictures(FilesInFolder(FolderChooser.files.front(), IsPictureFileName));
}

void WallpaperTool::LstWPClick() { pictures_.SelectionChanged(); }

void WallpaperTool::BtnWRemClick() {
  pictures_.RemoveSelected();
  ApplyRandomWallpaperRule();
}

void WallpaperTool::BtnMUp2Click() { pictures_.MoveCurrent(-1); }

void WallpaperTool::BtnMD2Click() { pictures_.MoveCurrent(+1); }

void WallpaperTool::BtnRWPClick() {
  if (!converting_) ShowNextPicture();  // a press, or the tray's command, while the conversion pumps messages
}

// As the button, which is enabled while there are pictures: the page need not have been made.
void WallpaperTool::Setanewrandomwallpaper1Click() { BtnRWPClick(); }

void WallpaperTool::ShowNextPicture() {
  const std::vector<std::wstring> entries = pictures_.Entries();
  if (entries.empty()) return;
  const std::wstring picture = round_.Next(entries, CurrentPicture(entries), host_.Random());
  const std::optional<std::wstring> shown = NeedsBitmap(picture) ? BitmapFor(picture) : picture;
  if (!shown) return;
  // A folder or a device named like a picture would leave the desktop empty; a missing file is the
  // system's to refuse.
  if (!IsPathAbsent(*shown) && !IsDiskFile(*shown)) throw AppError(NotAFileMessage(picture, *shown));
  if (const std::optional<std::size_t> fit = CboFit.Chosen(); fit && kWallpaperFits[*fit].style)
    SetDesktopWallpaperStyle(kWallpaperFits[*fit].style, kWallpaperFits[*fit].tile);
  SetDesktopWallpaper(*shown);
}

std::wstring WallpaperTool::CurrentPicture(const std::vector<std::wstring>& entries) const {
  const std::wstring current = AsciiLowerCase(CurrentDesktopWallpaper());
  for (const std::wstring& entry : entries)
    if (AsciiLowerCase(ShownPath(entry)) == current) return entry;
  return L"";
}

// The timer's change tells what went wrong in a balloon: no box waits for a user who is away.
void WallpaperTool::ChangeTimerTimer() {
  if (converting_) return;  // the next interval tries again
  try {
    ShowNextPicture();
  } catch (const AppError& error) {
    host_.ShowTrayBalloon(error.Message(), kNotChangedTitle);
  }
}

void WallpaperTool::CboChangeChange() { ApplyChangeInterval(); }

void WallpaperTool::ApplyChangeInterval() {
  const int minutes = kChangeIntervals[CboChange.Chosen().value_or(0)].minutes;
  if (minutes > 0)
    ChangeTimer.RunNextIn(static_cast<UINT>(minutes) * kMillisecondsPerMinute);
  else
    ChangeTimer.SetEnabled(false);
  host_.ArmedStateChanged();  // the tray's tip, and the remembered settings
}

std::optional<std::wstring> WallpaperTool::ArmedLine() const {
  if (!CboChange.Handle()) return std::nullopt;
  return WallpaperTipLine(CboChange.Chosen().value_or(0));
}

// At sign-in, a new picture at once when the pictures change on their own.
void WallpaperTool::StartedInTray() {
  if (ChangeTimer.Enabled()) ChangeTimerTimer();
}

void WallpaperTool::StoreSettings(SettingsFile& file) const {
  const std::optional<std::size_t> change = CboChange.Chosen();
  WriteWallpaperSettings({change ? std::optional<int>(kChangeIntervals[*change].minutes) : std::nullopt, CboFit.Chosen()},
                         file);
}

void WallpaperTool::RestoreSettings(const SettingsFile& file) {
  const WallpaperSettings settings = ReadWallpaperSettings(file);
  if (settings.fit) CboFit.Choose(*settings.fit);
  if (!settings.changeMinutes) return;
  for (std::size_t choice = 0; choice < kChangeIntervals.size(); ++choice)
    if (kChangeIntervals[choice].minutes == *settings.changeMinutes) CboChange.Choose(choice);
  ApplyChangeInterval();
}

std::optional<std::wstring> WallpaperTool::BitmapFor(const std::wstring& picture) {
  const std::wstring bitmap = ShownPath(picture);
  if (IsPathAbsent(bitmap) && !ConvertWhileAnswering(bitmap, picture)) return std::nullopt;
  return bitmap;
}

bool WallpaperTool::ConvertWhileAnswering(const std::wstring& bitmapPath, const std::wstring& picturePath) {
  const RunningFlag running(converting_);
  const LongWork longWork(host_);  // closing the window meanwhile takes effect once the conversion has stopped
  std::atomic<bool> ended{false};
  bool stopped = false;
  std::exception_ptr failure;
  stopConversion_ = false;
  conversion_ = std::thread([&] {
    try {
      if (IsPngFileName(picturePath))
        ConvertPngToBitmap(bitmapPath, picturePath, stopConversion_);
      else
        ConvertJpegToBitmap(bitmapPath, picturePath, stopConversion_);
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
