// The thin platform layer against the real system: pictures, files, and the real boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/Navigation.h"
#include "app/ResourceIds.h"
#include "utilities/DpiScale.h"
#include "platform/Boxes.h"
#include "platform/Files.h"
#include "platform/Pictures.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"
#include "platform/SystemLibrary.h"
#include "tests/support/UiTestSupport.h"
#include "utilities/ErrorText.h"

namespace {

std::vector<std::uint8_t> ResourceBytes(int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, resource)));
  return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(module, resource));
}

}  // namespace

TEST(Pictures, TheLogoDecodesTo220By60WithTransparency) {
  const Picture logo = LoadPngResource(GetModuleHandleW(nullptr), IDR_LOGO);
  EXPECT_EQ(logo.width, 220);
  EXPECT_EQ(logo.height, 60);
  ASSERT_EQ(logo.pixels.size(), 220u * 60u * 4u);
  bool clear = false, solid = false;
  for (size_t i = 3; i < logo.pixels.size(); i += 4) {
    clear = clear || logo.pixels[i] == 0;
    solid = solid || logo.pixels[i] == 255;
  }
  EXPECT_TRUE(clear && solid) << "the logo needs transparent and opaque pixels";
}

// Each tool's picture is drawn for 100, 125, 150 and 200 %: 64, 80, 96 and 128 pixels square.
TEST(Pictures, EveryModulePictureHasAFrameForEachScale) {
  const int sizes[kPictureFrameCount] = {64, 80, 96, 128};
  for (int frame = 0; frame < kPictureFrameCount; ++frame) {
    for (int i = 0; i < static_cast<int>(kTools.size()); ++i) {
      const int id = IDR_MODULE(frame, i);
      const Picture picture = LoadPngResource(GetModuleHandleW(nullptr), id);
      EXPECT_EQ(picture.width, sizes[frame]) << id;
      EXPECT_EQ(picture.height, sizes[frame]) << id;
    }
  }
}

TEST(Pictures, BrokenBytesRaiseAnErrorInsteadOfCrashing) {
  const auto logo = ResourceBytes(IDR_LOGO);
  EXPECT_THROW(DecodePng(logo.data(), logo.size() / 2), AppError);
  const char garbage[] = "not a picture at all";
  EXPECT_THROW(DecodePng(garbage, sizeof garbage), AppError);
  EXPECT_THROW(DecodePng(logo.data(), 0), AppError);
  EXPECT_THROW(LoadPngResource(GetModuleHandleW(nullptr), 9999), AppError);
}

TEST(Pictures, PremultipliedBitmapScalesColourByAlpha) {
  Picture picture;
  picture.width = 2;
  picture.height = 1;
  picture.pixels = {200, 100, 50, 255, 200, 100, 50, 128};
  ScopedBitmap bitmap = CreatePremultipliedBitmap(picture);
  DIBSECTION dib{};
  ASSERT_TRUE(GetObjectW(bitmap.Get(), sizeof dib, &dib));
  const auto* bits = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
  EXPECT_EQ(bits[0], 200);
  EXPECT_EQ(bits[4], 100);  // 200 * 128 / 255
  EXPECT_EQ(bits[5], 50);
  EXPECT_EQ(bits[7], 128);
}

TEST(Pictures, JoinedPicturesLieSideBySideTopsAlignedTheRestClear) {
  Picture wide{2, 1, {1, 2, 3, 4, 5, 6, 7, 8}};
  Picture tall{1, 2, {9, 10, 11, 12, 13, 14, 15, 16}};
  const Picture joined = JoinSideBySide({wide, tall});
  EXPECT_EQ(joined.width, 3);
  EXPECT_EQ(joined.height, 2);
  EXPECT_EQ(joined.pixels, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9,  10, 11, 12,  //
                                                      0, 0, 0, 0, 0, 0, 0, 0, 13, 14, 15, 16}));
}

TEST(SystemLibrary, FindsWhatTheSystemHasAndNothingElse) {
  EXPECT_NE(LoadSystemFunction(L"wininet.dll", "InternetOpenW"), nullptr);
  EXPECT_EQ(LoadSystemFunction(L"wininet.dll", "NoSuchFunction"), nullptr);
  EXPECT_EQ(LoadSystemFunction(L"no-such-library.dll", "InternetOpenW"), nullptr);
}

TEST(System, ExecutableFolderEndsWithASeparatorAndHoldsTheProgram) {
  const std::wstring folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  wchar_t exe[MAX_PATH + 1];
  GetModuleFileNameW(nullptr, exe, MAX_PATH + 1);
  EXPECT_TRUE(FileExists(exe));
  EXPECT_FALSE(FileExists(folder)) << "a folder is not a file";
  EXPECT_FALSE(FileExists(folder + L"no such file.txt"));
}

// As GetModuleFileNameW answers for a program in a folder deeper than MAX_PATH: cut to the buffer.
TEST(System, APathLongerThanTheBufferComesBackWhole) {
  const std::wstring whole = L"C:\\" + std::wstring(250, L'd') + L"\\" + std::wstring(40, L'e') + L"\\quoxel.exe";
  const auto query = [&whole](wchar_t* buffer, DWORD size) {
    const DWORD copied = std::min<DWORD>(size, static_cast<DWORD>(whole.size()));
    std::copy_n(whole.begin(), copied, buffer);
    if (copied == size) buffer[size - 1] = L'\0';
    return copied;
  };
  EXPECT_EQ(PathGrownToFit(query), whole);
}

TEST(SingleInstance, AFolderNamedInOtherLettersCaseIsTheSameFolder) {
  const std::pair<std::wstring, std::wstring> sameFolder[] = {
      {L"C:\\Dist\\", L"c:\\DIST"},
      {L"Z:\\tmp\\Äöü\\", L"z:\\TMP\\äÖÜ\\"},
      {L"C:\\Дист\\", L"c:\\дИСТ\\"},
      {L"C:\\\u0141\\", L"c:\\\u0142\\"},
  };
  for (const auto& [one, other] : sameFolder)
    EXPECT_EQ(InstanceName(one), InstanceName(other)) << testing::PrintToString(other);
  EXPECT_NE(InstanceName(L"C:\\Dist\\"), InstanceName(L"C:\\Dist2\\"));
  EXPECT_NE(InstanceName(L"C:\\\u0141\\"), InstanceName(L"C:\\A\\"));
}

TEST(SingleInstance, EverySpellingOfAnExistingFolderGivesOneName) {
  wchar_t temp[MAX_PATH + 1] = {}, shortPath[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring name = L"Quoxel instance folder " + std::to_wstring(GetCurrentProcessId());
  const std::wstring folder = temp + name;
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  GetShortPathNameW(folder.c_str(), shortPath, MAX_PATH + 1);
  EXPECT_NE(shortPath, folder);
  for (const std::wstring& spelling : {std::wstring(shortPath), folder + L"\\.\\", folder + L"\\..\\" + name,
                                       std::wstring(temp) + L"\\" + name + L"\\\\"})
    EXPECT_EQ(InstanceName(spelling), InstanceName(folder + L"\\")) << testing::PrintToString(spelling);
  EXPECT_NE(InstanceName(folder), InstanceName(temp));
  RemoveDirectoryW(folder.c_str());
}

TEST(SingleInstance, OnlyTheFirstHoldsTheLockUntilItGoes) {
  const std::wstring name = InstanceName(L"C:\\lock-test-" + std::to_wstring(GetCurrentProcessId()));
  auto first = std::make_unique<InstanceLock>(name);
  EXPECT_TRUE(first->IsFirst());
  EXPECT_FALSE(InstanceLock(name).IsFirst());
  EXPECT_TRUE(InstanceLock(InstanceName(L"C:\\elsewhere-" + std::to_wstring(GetCurrentProcessId()))).IsFirst());
  first.reset();
  EXPECT_TRUE(InstanceLock(name).IsFirst());
}

// Wine and Windows give a device name the attributes of a plain file, and a copy to it succeeds.
TEST(Files, OnlyAFileOnTheDiskCountsAsOneAndNotADeviceUnderAFileName) {
  const std::wstring folder = ExecutableFolder();
  WriteBytes(folder + L"disk-file.1", "x");
  const std::pair<std::wstring, bool> cases[] = {
      {folder + L"disk-file.1", true}, {folder, false}, {folder + L"no such file.1", false}, {folder + L"NUL.1", false},
      {folder + L"nul.txt", false},    {L"NUL", false},
  };
  for (const auto& [path, isFile] : cases) EXPECT_EQ(IsDiskFile(path), isFile) << testing::PrintToString(path);
  DeleteFileW((folder + L"disk-file.1").c_str());
}

TEST(System, DecimalSeparatorIsOneOfTheLocaleKinds) {
  const wchar_t separator = UserDecimalSeparator();
  EXPECT_TRUE(separator == L'.' || separator == L',') << static_cast<int>(separator);
}

TEST(System, ErrorTextsComeWithoutTheirLineEndAndUnknownCodesAsNumbers) {
  const std::wstring reason = SystemErrorText(ERROR_PATH_NOT_FOUND);
  ASSERT_FALSE(reason.empty());
  EXPECT_EQ(reason.find_first_of(L"\r\n"), std::wstring::npos) << reason;
  EXPECT_NE(reason.back(), L' ');
  EXPECT_NE(reason, SystemErrorText(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(SystemErrorText(0xDEADBEEF), L"System error 3735928559");
}

// The real boxes, answered from the keyboard by a timer of this thread so no test waits for a person.
namespace {

struct KeyPlan {
  WPARAM key;
  std::wstring caption;
  std::wstring text;
  int ticks = 0;
};
KeyPlan g_plan;

UINT_PTR g_timer = 0;

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && IsWindowOfClass(window, L"#32770") && WindowTextOf(window) == g_plan.caption) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK PressKeyInBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  if (!box) return;
  g_plan.text = WindowTextOf(GetDlgItem(box, 0xFFFF));
  if (++g_plan.ticks > 20) {  // the key did not close it: end it so the test fails instead of hanging
    EndDialog(box, IDCANCEL);
    return;
  }
  HWND focus = GetFocus();
  PostMessageW(focus ? focus : box, WM_KEYDOWN, g_plan.key, 0);
  PostMessageW(focus ? focus : box, WM_KEYUP, g_plan.key, 0xC0000000);
}

class RealBoxes : public testing::Test {
 protected:
  void SetUp() override { SetBoxAnswerer(nullptr); }
  void TearDown() override {
    KillTimer(nullptr, g_timer);
    InstallTestGuards();
  }
  void AnswerWith(WPARAM key, const wchar_t* caption) {
    g_plan = KeyPlan{key, caption, L"", 0};
    g_timer = SetTimer(nullptr, 0, 200, PressKeyInBox);
  }
};

}  // namespace

TEST_F(RealBoxes, EscAnswersNoInTheConfirmation) {
  AnswerWith(VK_ESCAPE, L"Confirm");
  EXPECT_FALSE(Confirm(nullptr, L"Are you sure?"));
  EXPECT_EQ(g_plan.text, L"Are you sure?");
  EXPECT_LE(g_plan.ticks, 20);
}

TEST_F(RealBoxes, EnterAnswersYesWhichIsTheDefault) {
  AnswerWith(VK_RETURN, L"Confirm");
  EXPECT_TRUE(Confirm(nullptr, L"Are you sure?"));
  EXPECT_LE(g_plan.ticks, 20);
}

TEST_F(RealBoxes, TheErrorBoxShowsTheMessageWithItsFullStop) {
  AnswerWith(VK_RETURN, L"Quoxel");
  ShowErrorBox(nullptr, L"Cannot create file \"C:\\x\". Access denied");
  EXPECT_EQ(g_plan.text, L"Cannot create file \"C:\\x\". Access denied.");
}
