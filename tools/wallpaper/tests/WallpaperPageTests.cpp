// The "Wallpaper changer" page with its list file and pictures in a scratch folder; the wallpaper
// goes to the test, never to the desktop.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "platform/Wallpaper.h"
#include "tests/support/FormTest.h"
#include "tools/wallpaper/WallpaperTool.h"

namespace {

using Lines = std::vector<std::wstring>;

// A one-colour JPEG of the given size: red, green, blue, or a grey level for a greyscale picture.
std::string Jpeg(int size, std::vector<JSAMPLE> colour) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  jpeg_mem_dest(&info, &buffer, &length);
  info.image_width = info.image_height = static_cast<JDIMENSION>(size);
  info.input_components = static_cast<int>(colour.size());
  info.in_color_space = colour.size() == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row;
  for (int x = 0; x < size; ++x) row.insert(row.end(), colour.begin(), colour.end());
  for (JSAMPROW line = row.data(); info.next_scanline < info.image_height;) jpeg_write_scanlines(&info, &line, 1);
  jpeg_finish_compress(&info);
  const std::string bytes(reinterpret_cast<char*>(buffer), length);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

std::uint32_t Field(const std::string& bytes, size_t offset, size_t size) {
  std::uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
  return value;
}

FILETIME LastWrite(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

class WallpaperPage : public FormTest {
 protected:
  // Each test prepares its files first: the list loads as the window is built.
  void SetUp() override {}
  void Start() {
    FormTest::SetUp();
    SetWallpaperSetter([this](const std::wstring& path) { wallpapers.push_back(path); });
  }
  std::wstring ProgramFolder() const override { return data.ProgramFolder(); }
  WallpaperTool& Wallpaper() { return form->Wallpaper(); }
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

  ScratchDataFolder data{L"wallpaper-test"};
  Lines wallpapers;
};

TEST_F(WallpaperPage, TheListFileLoadsWithoutAFinalLineEndAndIsSavedWithOne) {
  WriteBytes(File(L"wp.txt"), "C:\\a.bmp\r\nC:\\b.jpg");
  Start();
  EXPECT_EQ(ListItems(Wallpaper().LstWP), (Lines{L"C:\\a.bmp", L"C:\\b.jpg"}));
  EXPECT_TRUE(IsWindowEnabled(Wallpaper().BtnRWP));
  form.reset();
  EXPECT_EQ(ReadBytes(File(L"wp.txt")), "C:\\a.bmp\r\nC:\\b.jpg\r\n");
}

TEST_F(WallpaperPage, ASingleEntryIsAlwaysChosenThroughTheButtonOrTheTrayWithThePageNeverVisited) {
  WriteList({File(L"only.bmp")});
  Start();
  Draw(10);
  PostMessageW(form->Handle(), WM_COMMAND, kCmdSetanewrandomwallpaper1, 0);
  PumpMessages();
  EXPECT_EQ(wallpapers, Lines(11, File(L"only.bmp")));
  EXPECT_NE(form->ActivePage(), kPageWallpaper);
}

TEST_F(WallpaperPage, AJpegIsConvertedOnceToA24BitBitmapBesideIt) {
  WriteBytes(File(L"beach.jpg"), Jpeg(3, {200, 100, 50}));
  WriteList({File(L"beach.jpg")});
  Start();
  Draw();
  EXPECT_EQ(wallpapers, Lines{File(L"beach.bmp")});
  const std::string bitmap = ReadBytes(File(L"beach.bmp"));
  ASSERT_EQ(bitmap.size(), 54u + 3u * 12u);
  EXPECT_EQ(Field(bitmap, 18, 4), 3u);
  EXPECT_EQ(Field(bitmap, 22, 4), 3u);
  EXPECT_EQ(Field(bitmap, 28, 2), 24u);
  for (const auto& [at, value] : {std::pair{54, 50}, {55, 100}, {56, 200}})  // blue, green, red
    EXPECT_NEAR(static_cast<std::uint8_t>(bitmap[at]), value, 3);

  const FILETIME written = LastWrite(File(L"beach.bmp"));
  Sleep(20);
  WriteBytes(File(L"beach.jpg"), Jpeg(5, {0, 0, 255}));
  Draw();
  EXPECT_EQ(ReadBytes(File(L"beach.bmp")), bitmap);
  const FILETIME rewritten = LastWrite(File(L"beach.bmp"));
  EXPECT_EQ(CompareFileTime(&written, &rewritten), 0);
  EXPECT_EQ(wallpapers, Lines(2, File(L"beach.bmp")));
}

TEST_F(WallpaperPage, AGreyscaleJpegGivesAnEightBitBitmapOf236Greys) {
  WriteBytes(File(L"fog.jpeg"), Jpeg(2, {128}));
  WriteList({File(L"fog.jpeg")});
  Start();
  Draw();
  const std::string bitmap = ReadBytes(File(L"fog.bmp"));
  ASSERT_EQ(bitmap.size(), 54u + 4u * 236u + 2u * 4u);
  EXPECT_EQ(Field(bitmap, 28, 2), 8u);
  EXPECT_EQ(Field(bitmap, 46, 4), 236u);
  for (size_t at = 54; at < 54 + 4 * 236; at += 4) EXPECT_TRUE(bitmap[at] == bitmap[at + 1] && bitmap[at] == bitmap[at + 2]);
  const size_t index = static_cast<std::uint8_t>(bitmap[54 + 4 * 236]);
  EXPECT_NEAR(static_cast<std::uint8_t>(bitmap[54 + 4 * index]), 128, 2);
}

TEST_F(WallpaperPage, JpegAndJpgOfOneNameShareOneBitmap) {
  WriteBytes(File(L"dune.jpeg"), Jpeg(2, {255, 0, 0}));
  WriteBytes(File(L"dune.jpg"), Jpeg(2, {0, 0, 255}));
  WriteList({File(L"dune.jpeg"), File(L"dune.jpg")});
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

TEST_F(WallpaperPage, WithoutADataFolderTheEndReportsTheListFileAndCreatesNoFolder) {
  RemoveDirectoryW(File(L"").c_str());
  Start();
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
    BoxRecorder boxes;
    SendMessageW(form->Handle(), end.message, end.wParam, 0);
    form.reset();
    EXPECT_EQ(boxes.Calls().size(), end.boxes) << end.end;
  }
}

TEST_F(WallpaperPage, AListFileThatCannotBeReadAtStartIsLeftAsItWas) {
  WriteBytes(File(L"wp.txt"), "C:\\kept.bmp\r\n");
  HANDLE lock = CreateFileW(File(L"wp.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  {
    BoxRecorder boxes;
    Start();
    CloseHandle(lock);
    ExpectOneError(boxes, L"Cannot open file \"" + data.File(L"wp.txt") + L"\".");
  }
  EXPECT_TRUE(ListItems(Wallpaper().LstWP).empty());
  AddPictures({File(L"new.bmp")});
  form.reset();
  EXPECT_EQ(ReadBytes(File(L"wp.txt")), "C:\\kept.bmp\r\n");
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
