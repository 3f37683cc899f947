// List files through real files in a folder of the temporary folder, with Wine's ANSI code page 1252.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/Handles.h"
#include "platform/System.h"
#include "platform/TextFiles.h"
#include "tests/support/UiTestSupport.h"
#include "utilities/ErrorText.h"

// The byte strings below are laid out by hand, a file's mark beside its text: not reformatted.
// clang-format off

using namespace std::string_literals;
using Lines = std::vector<std::wstring>;

namespace {

Lines NamesIn(const std::wstring& folder) {
  Lines names;
  WIN32_FIND_DATAW found;
  ScopedFindHandle search(FindFirstFileW((folder + L"*").c_str(), &found));
  for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.Get(), &found)) {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  }
  return names;
}

template <typename Action>
std::wstring ErrorMessageOf(Action action) {
  try {
    action();
  } catch (const AppError& error) {
    return error.Message();
  }
  return L"(no error)";
}

class TextFiles : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    folder_ = temp + (L"quoxel-list-files-" + std::to_wstring(GetCurrentProcessId())) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr)) << GetLastError();
    list_ = folder_ + L"list.txt";
  }
  void TearDown() override {
    SetBeforeReplaceHook(nullptr);
    for (const auto& name : NamesIn(folder_)) DeleteFileW((folder_ + name).c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  std::wstring folder_;
  std::wstring list_;
};

}  // namespace

TEST_F(TextFiles, WritesExactAnsiBytesWithCrLfAndReadsThemBack) {
  ASSERT_EQ(GetACP(), 1252u);
  const Lines lines{L"caf\u00E9 \u20AC5", L"", L"C:\\Pictures\\sea.jpg"};
  WriteTextListFile(list_, lines);
  EXPECT_EQ(ReadBytes(list_), "caf\xE9 \x80" "5\r\n\r\nC:\\Pictures\\sea.jpg\r\n");
  EXPECT_EQ(ReadTextListFile(list_), lines);
}

TEST_F(TextFiles, CharactersOutsideTheCodePageTurnTheWholeFileIntoUtf8) {
  const Lines lines{L"plain", L"\u0416\u0443\u043A"};
  WriteTextListFile(list_, lines);
  EXPECT_EQ(ReadBytes(list_), "\xEF\xBB\xBF" "plain\r\n\xD0\x96\xD1\x83\xD0\xBA\r\n");
  EXPECT_EQ(ReadTextListFile(list_), lines);

  WriteTextListFile(list_, {L"\u0100bc"});  // would be "Abc" by the code page's best fit
  EXPECT_EQ(ReadBytes(list_), "\xEF\xBB\xBF\xC4\x80" "bc\r\n");
}

TEST_F(TextFiles, ReadsUtf16WithItsMarkAndAnsiWithTheCodePage) {
  WriteBytes(list_, "\xFF\xFE" "a\0\x16\x04\r\0\n\0b\0"s);
  EXPECT_EQ(ReadTextListFile(list_), (Lines{L"a\u0416", L"b"}));
  WriteBytes(list_, "\x80 caf\xE9\nx");
  EXPECT_EQ(ReadTextListFile(list_), (Lines{L"\u20AC caf\u00E9", L"x"}));
  WriteBytes(list_, "");
  EXPECT_EQ(ReadTextListFile(list_), Lines{});
}

TEST_F(TextFiles, ReplacingAFileLeavesOnlyTheNewContent) {
  WriteBytes(list_, "old one\r\nold two\r\n");
  WriteTextListFile(list_, {L"new"});
  EXPECT_EQ(ReadBytes(list_), "new\r\n");
  WriteTextListFile(list_, {});
  EXPECT_EQ(ReadBytes(list_), "");
  EXPECT_EQ(NamesIn(folder_), Lines{L"list.txt"});
}

TEST_F(TextFiles, WritingIntoAMissingFolderFailsNamingTheTargetAndCreatesNothing) {
  const std::wstring path = folder_ + L"Data\\trusted.txt";
  EXPECT_EQ(ErrorMessageOf([&] { WriteTextListFile(path, {L"a"}); }),
            L"Cannot create file \"" + path + L"\". " + SystemErrorText(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(NamesIn(folder_), Lines{}) << "neither the folder nor a temporary file";
}

TEST_F(TextFiles, ReadingAMissingFileFailsWithTheReason) {
  EXPECT_EQ(ErrorMessageOf([&] { ReadTextListFile(list_); }),
            L"Cannot open file \"" + list_ + L"\". " + SystemErrorText(ERROR_FILE_NOT_FOUND));
}

TEST_F(TextFiles, ATargetHeldOpenWithoutSharingKeepsItsOldContent) {
  WriteBytes(list_, "old\r\n");
  {
    ScopedHandle holder(CreateFileW(list_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    const std::wstring message = ErrorMessageOf([&] { WriteTextListFile(list_, {L"new"}); });
    EXPECT_EQ(message.rfind(L"Cannot create file \"" + list_ + L"\". ", 0), 0u) << message;
    EXPECT_EQ(ErrorMessageOf([&] { ReadTextListFile(list_); }).rfind(L"Cannot open file \"", 0), 0u);
  }
  EXPECT_EQ(ReadBytes(list_), "old\r\n");
  EXPECT_EQ(NamesIn(folder_), Lines{L"list.txt"});
}

// A save killed between its steps leaves each target whole, old or new; a failed step puts every old
// file back.
TEST_F(TextFiles, FilesWrittenTogetherAreWholeBetweenTheStepsAndAllOldAfterAFailure) {
  const std::wstring a = folder_ + L"soft.txt", b = folder_ + L"soft.ini";
  WriteBytes(a, "old a");
  WriteBytes(b, "old b");
  std::vector<std::string> seen;
  bool failSecond = false;
  SetBeforeReplaceHook([&](const std::wstring& target) {
    seen.push_back(ReadBytes(a) + "|" + ReadBytes(b));
    if (failSecond && target == b) throw AppError(L"cut");
  });
  WriteFilesTogether({{a, "new a"}, {b, "new b"}});
  EXPECT_EQ(seen, (std::vector<std::string>{"old a|old b", "new a|old b"}));
  failSecond = true;
  EXPECT_EQ(ErrorMessageOf([&] { WriteFilesTogether({{a, "third a"}, {b, "third b"}}); }), L"cut");
  EXPECT_EQ(ReadBytes(a) + "|" + ReadBytes(b), "new a|new b");
  Lines names = NamesIn(folder_);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Lines{L"soft.ini", L"soft.txt"}));
}

// As an earlier version's save left them when killed between moving the old file aside and the new
// one in: the new file finished, the old one aside, and an empty file of a save killed before it wrote.
TEST_F(TextFiles, AStartAfterACutShortSaveTakesTheNewestWholeLeftoverBackAndCleansUp) {
  const auto writeAged = [&](const wchar_t* name, const std::string& bytes, int minutesAgo) {
    WriteBytes(folder_ + name, bytes);
    ULARGE_INTEGER time{};
    GetSystemTimeAsFileTime(reinterpret_cast<FILETIME*>(&time));
    time.QuadPart -= 600000000ULL * minutesAgo;
    const FILETIME written{time.LowPart, time.HighPart};
    ScopedHandle file(CreateFileW((folder_ + name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    SetFileTime(file.Get(), nullptr, nullptr, &written);
  };
  writeAged(L"settings.ini.old", "old", 30);
  writeAged(L"settings.ini.77-2.tmp", "newest", 20);
  writeAged(L"settings.ini.77-3.tmp", "", 10);
  writeAged(L"soft.txt", "kept", 30);
  writeAged(L"soft.txt.old", "stale", 20);
  writeAged(L"soft.txt.9-9.tmp", "stale", 10);
  writeAged(L"report.tmp", "the user's", 10);
  RecoverCutShortWrites(folder_);
  EXPECT_EQ(ReadBytes(folder_ + L"settings.ini"), "newest");
  EXPECT_EQ(ReadBytes(folder_ + L"soft.txt"), "kept");
  Lines names = NamesIn(folder_);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Lines{L"report.tmp", L"settings.ini", L"soft.txt"}));
}
// clang-format on
