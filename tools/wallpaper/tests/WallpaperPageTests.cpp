// The "Wallpaper changer" page with its list file and pictures in a scratch folder; the wallpaper
// goes to the test, never to the desktop.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <set>
#include <thread>

#include "platform/TextFiles.h"
#include "platform/Wallpaper.h"
#include "tests/support/FormTest.h"
#include "tools/wallpaper/JpegToBitmap.h"
#include "tools/wallpaper/WallpaperTool.h"
#include "tests/support/JpegSamples.h"

namespace {

using Lines = std::vector<std::wstring>;

FILETIME LastWrite(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

class WallpaperPage : public FormTest {
 protected:
  // Each test prepares its files first: the list loads as the window is built.
  void SetUp() override {}
  void Start(bool showPage = true) {
    FormTest::SetUp();
    SetWallpaperSetter([this](const std::wstring& path) { wallpapers.push_back(path); });
    if (showPage) ShowPage(PageOf<WallpaperTool>());
  }
  std::wstring ProgramFolder() const override { return data.ProgramFolder(); }
  WallpaperTool& Wallpaper() { return form->ToolAs<WallpaperTool>(); }
  std::wstring File(const std::wstring& name) const { return data.File(name); }
  bool AnyFile(const wchar_t* pattern) const {
    WIN32_FIND_DATAW entry;
    HANDLE listing = FindFirstFileW(File(pattern).c_str(), &entry);
    return listing != INVALID_HANDLE_VALUE && FindClose(listing);
  }
  static void ExpectOneError(const BoxRecorder& boxes, const std::wstring& start) {
    ASSERT_EQ(boxes.Calls().size(), 1u) << testing::PrintToString(start);
    EXPECT_EQ(boxes.Calls()[0].kind, BoxKind::Error);
    EXPECT_EQ(boxes.Calls()[0].text.substr(0, start.size()), start);
  }
  void WriteList(const Lines& pictures) {
    std::string text;
    for (const std::wstring& picture : pictures) text += std::string(picture.begin(), picture.end()) + "\r\n";
    WriteBytes(File(L"wp.txt"), text);
  }
  void AddPictures(const Lines& paths) {
    SetFileDialogAnswerer([paths](const FileDialog&) { return std::optional<Lines>(paths); });
    SendMessageW(Wallpaper().BtnAddW, BM_CLICK, 0, 0);
  }
  void Draw(int times = 1) {
    while (times-- > 0) SendMessageW(Wallpaper().BtnRWP, BM_CLICK, 0, 0);
  }

  // Draws the only picture of the list once, in a new window: no box, or one error box that starts
  // with `error` when it is given.
  void DrawOnly(const std::wstring& picture, const std::wstring& error = L"") {
    WriteList({File(picture)});
    Start();
    BoxRecorder boxes;
    Draw();
    if (error.empty()) {
      EXPECT_TRUE(boxes.Calls().empty());
    } else {
      ExpectOneError(boxes, error);
    }
    form.reset();
  }

  ScratchDataFolder data{L"wallpaper-test"};
  Lines wallpapers;
};

TEST_F(WallpaperPage, TheListFileLoadsWithoutAFinalLineEndAndIsLeftAsItWasWhenUnchanged) {
  WriteBytes(File(L"wp.txt"), "C:\\a.bmp\r\nC:\\b.jpg");
  const FILETIME before = LastWrite(File(L"wp.txt"));
  Start(false);
  form.reset();
  EXPECT_EQ(ReadBytes(File(L"wp.txt")), "C:\\a.bmp\r\nC:\\b.jpg");
  const FILETIME after = LastWrite(File(L"wp.txt"));
  EXPECT_EQ(CompareFileTime(&before, &after), 0);
  Start();
  EXPECT_EQ(ListItems(Wallpaper().LstWP), (Lines{L"C:\\a.bmp", L"C:\\b.jpg"}));
  EXPECT_TRUE(IsWindowEnabled(Wallpaper().BtnRWP));
}

// UTF-8 without a mark, with a name outside the ANSI code page.
TEST_F(WallpaperPage, AChangedListKeepsTheEncodingItWasReadIn) {
  const std::string sea = "C:\\\xD0\xBC\xD0\xBE\xD1\x80\xD0\xB5.jpg\r\n";
  WriteBytes(File(L"wp.txt"), sea);
  Start();
  AddPictures({L"C:\\b.bmp"});
  form.reset();
  EXPECT_EQ(ReadBytes(File(L"wp.txt")), sea + "C:\\b.bmp\r\n");
}

TEST_F(WallpaperPage, ASingleEntryIsAlwaysChosenThroughTheTrayWithThePageNeverMadeOrTheButton) {
  WriteList({File(L"only.bmp")});
  Start(false);
  PostMessageW(form->Handle(), WM_COMMAND, kCmdSetanewrandomwallpaper1, 0);
  PumpMessages();
  EXPECT_EQ(form->PageHandle(PageOf<WallpaperTool>()), nullptr);
  ShowPage(PageOf<WallpaperTool>());
  Draw(10);
  EXPECT_EQ(wallpapers, Lines(11, File(L"only.bmp")));
}

TEST_F(WallpaperPage, AJpegIsConvertedOnceToABitmapBesideIt) {
  WriteBytes(File(L"CAMERA.JPG"), MakeJpeg(3, 3, 3));
  WriteList({File(L"CAMERA.JPG")});
  Start();
  Draw();
  EXPECT_EQ(wallpapers, Lines{File(L"CAMERA.bmp")});
  const std::string bitmap = ReadBytes(File(L"CAMERA.bmp"));
  EXPECT_TRUE(PixelsOfBitmap(bitmap) == DecodeAsDjpeg(MakeJpeg(3, 3, 3)));

  const FILETIME written = LastWrite(File(L"CAMERA.bmp"));
  Sleep(20);
  WriteBytes(File(L"CAMERA.JPG"), MakeJpeg(5, 5, 3));
  Draw();
  EXPECT_EQ(ReadBytes(File(L"CAMERA.bmp")), bitmap);
  const FILETIME rewritten = LastWrite(File(L"CAMERA.bmp"));
  EXPECT_EQ(CompareFileTime(&written, &rewritten), 0);
  EXPECT_EQ(wallpapers, Lines(2, File(L"CAMERA.bmp")));
}

TEST_F(WallpaperPage, JpegAndJpgOfOneNameShareOneBitmap) {
  WriteBytes(File(L"dune.Jpeg"), MakeJpeg(2, 2, 3));
  WriteBytes(File(L"dune.jpg"), MakeJpeg(3, 2, 3));
  WriteList({File(L"dune.Jpeg"), File(L"dune.jpg")});
  Start();
  Draw();
  const std::string bitmap = ReadBytes(File(L"dune.bmp"));
  Draw(19);
  EXPECT_EQ(wallpapers, Lines(20, File(L"dune.bmp")));
  EXPECT_EQ(ReadBytes(File(L"dune.bmp")), bitmap);
}

// Nothing half-written is left behind and the wallpaper stays as it was.
TEST_F(WallpaperPage, AJpegThatCannotBeReadIsReportedAndLeavesNoBitmap) {
  WriteBytes(File(L"broken.jpg"), "not a picture");
  for (const auto& [picture, message] : std::vector<std::pair<std::wstring, std::wstring>>{
           {L"broken.jpg", L"JPEG error #"}, {L"gone.jpg", L"Cannot open file \"" + File(L"gone.jpg") + L"\". "}}) {
    WriteList({File(picture)});
    Start();
    BoxRecorder boxes;
    Draw();
    ExpectOneError(boxes, message);
    EXPECT_TRUE(wallpapers.empty());
    EXPECT_FALSE(AnyFile(L"*.bmp") || AnyFile(L"*.tmp"));
    form.reset();
  }
}

// The size is checked before any pixel is decoded; a claim within the limit fails where the data
// runs out. Nothing is left behind either way.
TEST_F(WallpaperPage, ASmallJpegClaimingAHugeSizeIsRefusedWithoutABitmap) {
  const std::string jpeg = MakeJpeg(16, 16, 3);
  const std::wstring tooLarge = L"The picture \"" + File(L"CLAIM.JPG") + L"\" is too large to use as the wallpaper: ";
  struct Case {
    int width, height;
    std::wstring error;
  };
  for (const auto& [width, height, error] :
       {Case{30000, 30000, tooLarge + L"30000 \u00D7 30000 pixels."}, Case{12000, 12000, L"JPEG error #"}}) {
    WriteBytes(File(L"CLAIM.JPG"), WithClaimedSize(jpeg, width, height));
    DrawOnly(L"CLAIM.JPG", error);
    EXPECT_FALSE(AnyFile(L"*.bmp") || AnyFile(L"*.tmp")) << width;
  }
  EXPECT_TRUE(wallpapers.empty());
}

TEST_F(WallpaperPage, AFolderWhereTheBitmapGoesIsReportedAndNotSet) {
  WriteBytes(File(L"x.jpg"), MakeJpeg(2, 2, 3));
  CreateDirectoryW(File(L"x.bmp").c_str(), nullptr);
  DrawOnly(L"x.jpg", L"The picture \"" + File(L"x.jpg") + L"\" is not used as the wallpaper: its bitmap \"" +
                         File(L"x.bmp") + L"\" is not a file.");
  DrawOnly(L"x.bmp", L"The picture \"" + File(L"x.bmp") + L"\" is not used as the wallpaper: it is not a file.");
  RemoveDirectoryW(File(L"x.bmp").c_str());
  EXPECT_TRUE(wallpapers.empty());
}

TEST_F(WallpaperPage, ACutOffJpegLeavesNoBitmapAndConvertsOnceWhole) {
  const std::string jpeg = MakeJpeg(64, 64, 3);
  WriteBytes(File(L"cut.jpg"), jpeg.substr(0, jpeg.size() / 2));
  DrawOnly(L"cut.jpg", L"JPEG error #");
  EXPECT_FALSE(AnyFile(L"*.bmp") || AnyFile(L"*.tmp"));
  EXPECT_TRUE(wallpapers.empty());

  WriteBytes(File(L"cut.jpg"), jpeg);
  DrawOnly(L"cut.jpg");
  EXPECT_EQ(wallpapers, Lines{File(L"cut.bmp")});
}

TEST_F(WallpaperPage, WithoutADataFolderTheEndReportsTheListFileAndCreatesNoFolder) {
  RemoveDirectoryW(File(L"").c_str());
  Start();
  AddPictures({L"C:\\a.bmp"});
  BoxRecorder boxes;
  form.reset();
  ExpectOneError(boxes, L"Cannot create file \"" + data.File(L"wp.txt") + L"\". ");
  EXPECT_EQ(GetFileAttributesW(File(L"").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Nobody is there to answer a box at the end of the session, and the box would hold the end up.
TEST_F(WallpaperPage, AFailedSaveShowsItsBoxWhenClosedButNotAtTheEndOfTheSession) {
  const struct {
    const char* end;
    UINT message;
    WPARAM wParam;
    size_t boxes;
  } ends[] = {{"close", WM_CLOSE, 0, 1}, {"end of the session", WM_ENDSESSION, TRUE, 0}};
  RemoveDirectoryW(File(L"").c_str());
  for (const auto& end : ends) {
    Start();
    AddPictures({L"C:\\a.bmp"});
    BoxRecorder boxes;
    SendMessageW(form->Handle(), end.message, end.wParam, 0);
    form.reset();
    EXPECT_EQ(boxes.Calls().size(), end.boxes) << end.end;
  }
}

// Held open without sharing, out of memory or over the size limit: the end leaves the file untouched.
TEST_F(WallpaperPage, AListFileThatCannotBeReadAtStartIsLeftAsItWas) {
  const std::wstring list = File(L"wp.txt");
  enum { kHeldOpen, kOutOfMemory, kOverTheLimit };
  for (const int failure : {kHeldOpen, kOutOfMemory, kOverTheLimit}) {
    WriteBytes(list, "C:\\kept.bmp\r\n");
    ScopedHandle holder(CreateFileW(list.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const LARGE_INTEGER sparseEnd{{static_cast<DWORD>(kListFileLimit + 1), 0}};  // its length set, nothing written
    if (failure == kOverTheLimit)
      SetFilePointerEx(holder.Get(), sparseEnd, nullptr, FILE_BEGIN) && SetEndOfFile(holder.Get());
    if (failure != kHeldOpen) holder.Reset();
    if (failure == kOutOfMemory)
      SetTextListFileReader([](const std::wstring&, bool*) -> Lines { throw std::bad_alloc(); });
    const FILETIME before = LastWrite(list);
    {
      BoxRecorder boxes;
      Start();
      holder.Reset();
      SetTextListFileReader(nullptr);
      ExpectOneError(boxes, L"Cannot open file \"" + list + L"\". ");
      EXPECT_NE(boxes.Calls()[0].text.find(L"could not be loaded"), std::wstring::npos) << failure;
    }
    AddPictures({File(L"new.bmp")});
    form.reset();
    const FILETIME after = LastWrite(list);
    EXPECT_EQ(CompareFileTime(&before, &after), 0) << failure;
  }
}

// A scan bomb converts for seconds. Meanwhile the user, on another thread, waits for "Converting...",
// asks the window for an answer, presses again and picks the tray's "Random Wallpaper" (both ignored),
// and ends the program: the conversion stops without a trace.
TEST_F(WallpaperPage, AConversionLeavesTheWindowAnsweringTakesNoSecondPressAndStopsAtTheEnd) {
  WriteBytes(File(L"bomb.jpg"), ScanBomb(8192, 8192, kJpegScanLimit));
  WriteList({File(L"bomb.jpg")});
  for (const UINT end : {WM_CLOSE, WM_ENDSESSION}) {
    Start();
    const HWND window = form->Handle(), button = Wallpaper().BtnRWP;
    std::atomic<int> answered{0};
    std::thread user([&, end] {
      const auto send = [](HWND to, UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result;
        return SendMessageTimeoutW(to, message, wParam, lParam, SMTO_NORMAL, 5000, &result) != 0;
      };
      for (wchar_t caption[32] = L""; std::wstring(caption) != L"Converting...";)
        if (!send(button, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(caption))) return;
      answered += send(window, WM_NULL, 0, 0);
      answered += send(button, BM_CLICK, 0, 0);
      answered += send(window, WM_COMMAND, kCmdSetanewrandomwallpaper1, 0);
      answered += send(window, end, TRUE, 0);
    });
    Draw();
    user.join();
    EXPECT_EQ(answered, 4) << end;
    PumpMessages();
    EXPECT_FALSE(IsWindow(window) || AnyFile(L"*.bmp") || AnyFile(L"*.tmp")) << end;
    form.reset();
  }
  EXPECT_TRUE(wallpapers.empty());
}

TEST_F(WallpaperPage, TheEndOfTheSessionSavesTheListOnce) {
  Start();
  AddPictures({L"C:\\a.bmp"});
  SendMessageW(form->Handle(), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(GetFileAttributesW(File(L"wp.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ReadBytes(File(L"wp.txt")), "C:\\a.bmp\r\n");
  WriteBytes(File(L"wp.txt"), "changed since");
  form.reset();
  EXPECT_EQ(ReadBytes(File(L"wp.txt")), "changed since");
}

}  // namespace

namespace {

// A PNG of two pixels, red then blue, as any program writes it.
const std::string kTwoPixelPng(
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00\x01\x08\x02\x00\x00"
    "\x00\x7B\x40\xE8\xDD\x00\x00\x00\x0D\x49\x44\x41\x54\x78\x9C\x63\xF8\xCF\x00\x04\xFF\x01\x07\x00\x01\xFF\xE2\x23"
    "\x9E\x59\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82",
    70);

class WallpaperChanges : public WallpaperPage {
 protected:
  // Chooses an entry of one of the page's lists as the user does, which the page hears of.
  void Choose(ComboBox<std::size_t>& list, std::size_t entry) {
    list.Choose(entry);
    SendMessageW(form->PageHandle(PageOf<WallpaperTool>()), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list.Handle()));
  }
  void TimerFires() {
    SendMessageW(form->PageHandle(PageOf<WallpaperTool>()), WM_TIMER, WallpaperTool::kTimerChange, 0);
  }
  void StartWithPictures(const Lines& names) {
    Lines paths;
    for (const std::wstring& name : names) {
      WriteBytes(File(name), "BM");
      paths.push_back(File(name));
    }
    WriteList(paths);
    Start();
  }
};

}  // namespace

// "Change every" sets a new picture at each interval, also with the window hidden, and each picture of
// the list once before any comes again; the tray's tip tells it; a start in the tray changes at once;
// "Never" stops it.
TEST_F(WallpaperChanges, EachIntervalShowsAnotherPictureWhileHidden) {
  StartWithPictures({L"a.bmp", L"b.bmp", L"c.bmp"});
  EXPECT_FALSE(Wallpaper().ChangeTimer.Enabled());
  Choose(Wallpaper().CboChange, 1);  // "1 minute"
  EXPECT_EQ(Wallpaper().ChangeTimer.Interval(), 60u * 1000);
  EXPECT_NE(tip.find(L"Wallpaper: every 1 minute"), std::wstring::npos) << testing::PrintToString(tip);
  ShowWindow(form->Handle(), SW_HIDE);
  for (int change = 0; change < 3; ++change) TimerFires();
  EXPECT_EQ(std::set<std::wstring>(wallpapers.begin(), wallpapers.end()).size(), 3u);
  form->StartedInTray();
  EXPECT_EQ(wallpapers.size(), 4u);
  EXPECT_NE(wallpapers[3], wallpapers[2]);
  Choose(Wallpaper().CboChange, 0);  // "Never"
  EXPECT_FALSE(Wallpaper().ChangeTimer.Enabled());
  EXPECT_EQ(tip.find(L"Wallpaper"), std::wstring::npos);
}

// "Picture position" is written before the picture is set; its first choice writes nothing (the test
// guards fail on any write).
TEST_F(WallpaperChanges, APositionIsWrittenBeforeThePicture) {
  StartWithPictures({L"a.bmp"});
  Draw();
  std::vector<std::pair<std::wstring, std::size_t>> styles;  // the style, and the pictures set before it
  SetWallpaperStyleWriter([&](const std::wstring& style, const std::wstring& tile) {
    styles.emplace_back(style + L"/" + tile, wallpapers.size());
  });
  Choose(Wallpaper().CboFit, 1);  // "Fill"
  Draw();
  Choose(Wallpaper().CboFit, 5);  // "Tile"
  Draw();
  EXPECT_EQ(styles, (std::vector<std::pair<std::wstring, std::size_t>>{{L"10/0", 1}, {L"0/1", 2}}));
  EXPECT_EQ(wallpapers.size(), 3u);
}

// A dropped folder, or one chosen through the list's menu, adds its pictures only (FilesInFolder's own
// test has the order and what else is left out).
TEST_F(WallpaperChanges, AFolderAddsItsPictures) {
  Start();
  const std::wstring folder = File(L"trip");
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const wchar_t* name : {L"trip\\IMG_1.JPG", L"trip\\IMG_2.png", L"trip\\notes.txt"}) WriteBytes(File(name), "x");
  const Lines pictures{File(L"trip\\IMG_1.JPG"), File(L"trip\\IMG_2.png")};
  DropFiles(Wallpaper().LstWP, {folder});
  EXPECT_EQ(ListItems(Wallpaper().LstWP), pictures);
  EXPECT_TRUE(IsWindowEnabled(Wallpaper().BtnRWP));
  SetFileDialogAnswerer([&](const FileDialog& dialog) {
    EXPECT_EQ(dialog.kind, FileDialog::Kind::Folder);
    return std::optional<Lines>({folder});
  });
  SetPopupMenuChooser([this](HMENU menu, POINT) -> UINT {
    return menu == Wallpaper().PopWP.Get() ? WallpaperTool::kCmdAddFolder : 0;
  });
  PostMessageW(Wallpaper().LstWP, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Wallpaper().LstWP), -1);
  PumpMessages();
  EXPECT_EQ(ListItems(Wallpaper().LstWP).size(), 4u);
}

// A PNG is converted to a bitmap beside it and set; a cut one is reported and leaves nothing behind.
TEST_F(WallpaperChanges, APngIsConvertedAndACutOneReported) {
  WriteBytes(File(L"two.PNG"), kTwoPixelPng);
  DrawOnly(L"two.PNG");
  ASSERT_EQ(wallpapers, Lines{File(L"two.bmp")});
  EXPECT_EQ(ReadBytes(File(L"two.bmp")).substr(0, 2), "BM");
  WriteBytes(File(L"cut.png"), kTwoPixelPng.substr(0, 45));
  DrawOnly(L"cut.png", L"The picture \"" + File(L"cut.png") + L"\" is not used as the wallpaper: ");
  EXPECT_FALSE(AnyFile(L"cut.bmp"));
  EXPECT_FALSE(AnyFile(L"*.tmp"));
}
