// The "Cleaner" page on folders made inside the Wine prefix: the two profile folders named after the
// real user, and the real cookie folder.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <set>
#include <thread>

#include "platform/System.h"
#include "platform/UserFolders.h"
#include "tests/support/FormTest.h"
#include "tools/cleaner/CleanerTool.h"
#include "ui/CheckListBox.h"
#include "utilities/LargestFiles.h"

namespace {

using Texts = std::vector<std::wstring>;
const std::wstring kChanged = L"Some of the files were not fixed because they changed since the search.";

std::wstring UnixPath(const std::wstring& path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  char* unix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")))(path.c_str());
  const std::wstring result(unix, unix + strlen(unix));
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// Wine's CreateSymbolicLinkW makes no link: links are made by a host shell in the folder. Wine neither
// waits for a Unix program nor gives its exit code, so the script leaves its status in a file.
void HostShell(const std::wstring& folder, const std::wstring& script) {
  const std::wstring status = folder + L"\\shell-status";
  std::wstring line = L"/bin/sh -c \"cd '" + UnixPath(folder) + L"' && " + script + L"; echo $? >shell-status\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(
      CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, 0, 0, nullptr, nullptr, &startup, &process));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int waited = 0; ReadBytes(status).empty() && waited < 60000; waited += 20) Sleep(20);
  EXPECT_EQ(ReadBytes(status), "0\n") << testing::PrintToString(script);
  DeleteFileW(status.c_str());
}

class CleanerPage : public FormTest {
 protected:
  // The tests own the profile's "Local Settings", which may not be there before, and what they make in
  // the cache and cookie folders, which Wine has and uses too. The system's temporary folder is the
  // old one there, unless a test names another.
  void SetUp() override {
    ASSERT_FALSE(Exists(profile));
    owned = true;
    for (const auto& folder : {temp, cache, cookies}) SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    SetEnvironmentVariableW(L"TMP", temp.c_str());
    FormTest::SetUp();
    ShowPage(PageOf<CleanerTool>());
  }
  void TearDown() override {
    FormTest::TearDown();
    SetEnvironmentVariableW(L"TMP", systemTemp.c_str());
    for (const auto& [folder, names] : madeInShared)
      if (!names.empty()) HostShell(folder, L"rm -rf" + names);
    if (owned) HostShell(L"C:\\", L"rm -rf '" + UnixPath(profile) + L"'");
  }
  std::wstring Make(const std::wstring& folder, const std::wstring& name) {
    const std::wstring path = folder + L"\\" + name;
    SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
    WriteBytes(path, "x");
    MadeInShared(folder, name);
    return path;
  }
  // Made by a host shell in a shared folder: removed at the end with the rest.
  void MadeInShared(const std::wstring& folder, const std::wstring& name) {
    if (folder == cache || folder == cookies) madeInShared[folder] += L" '" + name.substr(0, name.find(L'\\')) + L"'";
  }
  Texts Click(HWND button, std::deque<int> answers = {}) {
    BoxRecorder boxes(std::move(answers));
    SendMessageW(button, BM_CLICK, 0, 0);
    Texts texts;
    for (const auto& call : boxes.Calls()) texts.push_back(call.text);
    return texts;
  }
  // "Fix selected" with the question answered Yes: the boxes after it.
  Texts Fix() {
    Texts boxes = Click(form->ToolAs<CleanerTool>().BtnETFFix, {IDYES});
    if (!boxes.empty() && boxes[0].rfind(L"Delete ", 0) == 0) boxes.erase(boxes.begin());
    return boxes;
  }
  Texts Search() {
    EXPECT_EQ(Click(form->ToolAs<CleanerTool>().BtnETF), Texts{});
    return ListItems(form->ToolAs<CleanerTool>().LstETF.Handle());
  }
  static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  const std::wstring systemTemp = GetTemporaryFolderPath();
  const std::wstring profile = GetSpecialFolderPath(CSIDL_PROFILE) + L"\\Local Settings";
  const std::wstring temp = profile + L"\\Temp";
  const std::wstring cache = GetSpecialFolderPath(CSIDL_INTERNET_CACHE);
  const std::wstring cookies = GetSpecialFolderPath(CSIDL_COOKIES);
  bool owned = false;
  std::map<std::wstring, std::wstring> madeInShared;  // folder -> the names to remove, quoted
};

}  // namespace

TEST_F(CleanerPage, ASearchListsTempFilesAtAnyDepthTheCacheTopLevelAndTextCookiesAllChecked) {
  const Texts listed = {Make(temp, L"a.tmp"), Make(temp, L"sub\\deeper\\b.tmp"), Make(cache, L"page.htm"),
                        Make(cache, L".hidden"), Make(cookies, L"ann@site.txt")};
  for (const auto& name : {L"A.TMP", L"c.tmp.bak", L".hidden\\d.tmp", L"system\\e.tmp"}) Make(temp, name);
  ASSERT_TRUE(SetFileAttributesW((temp + L"\\system").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
  Make(cache, L"sub\\f.htm"), Make(cookies, L"index.dat"), Make(cookies, L"bob@site.TXT");
  const Texts items = Search();
  EXPECT_EQ(std::set<std::wstring>(items.begin(), items.end()), std::set<std::wstring>(listed.begin(), listed.end()));
  ASSERT_EQ(items.size(), 5u);
  EXPECT_TRUE(items[1] == listed[1] && items[4] == listed[4]) << "a folder's files before its subfolders'";
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(IsItemChecked(form->ToolAs<CleanerTool>().LstETF.Handle(), i));
  EXPECT_EQ(Search(), items) << "a new search replaces the list";
}

// Running as root, Wine opens a read-only file for writing: the attribute itself must keep it out.
TEST_F(CleanerPage, ReadOnlyFilesAndFilesHeldOpenWithoutSharingAreNotListed) {
  const std::wstring readOnly = Make(temp, L"read-only.tmp"), held = Make(cache, L"held");
  ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  const ScopedHandle holder(CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(Search(), Texts{Make(cookies, L"kept.txt")});
}

TEST_F(CleanerPage, FixSelectedDeletesTheCheckedFilesCountsThemAndNamesThoseInUse) {
  const std::wstring unchecked = Make(temp, L"u.tmp"), readOnly = Make(temp, L"r.tmp"), held = Make(cache, L"h");
  const Texts items = Search();
  ClickListItem(form->ToolAs<CleanerTool>().LstETF.Handle(), std::find(items.begin(), items.end(), unchecked) - items.begin(),
                5);
  ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  const ScopedHandle holder(CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(Fix(), (Texts{L"1 files fixed.",
                          L"Some of the files could not be fixed because they are in use by the "
                          L"operating system."}));
  EXPECT_TRUE(!Exists(readOnly) && Exists(unchecked) && Exists(held));
  EXPECT_EQ(ListItems(form->ToolAs<CleanerTool>().LstETF.Handle()), Texts{});
}

TEST_F(CleanerPage, NothingFoundIsToldAndFixSelectedStaysDisabledOnTheEmptyList) {
  const HWND fix = form->ToolAs<CleanerTool>().BtnETFFix;
  EXPECT_FALSE(IsWindowEnabled(fix)) << "before any search";
  EXPECT_EQ(Click(form->ToolAs<CleanerTool>().BtnETF), Texts{L"Nothing found! (a good thing)"});
  EXPECT_FALSE(IsWindowEnabled(fix));
  EXPECT_EQ(Click(fix), Texts{});
}

// The system names the temporary folder: on Wine and today's Windows it is not the old one.
TEST_F(CleanerPage, TheSystemsTemporaryFolderIsSearchedThenTheProfilesOldOne) {
  const std::wstring system = profile + L"\\System Temp";
  const Texts found = {Make(system, L"s.tmp"), Make(temp, L"a.tmp")};
  SetEnvironmentVariableW(L"TMP", system.c_str());
  EXPECT_EQ(Search(), found);
}

TEST_F(CleanerPage, FolderLinksAreNotEnteredSoALoopEndsAndNothingOutsideIsListed) {
  Make(profile, L"outside\\o.tmp");
  HostShell(temp, L"ln -s . loop && ln -s .. up && ln -s ../outside out");
  EXPECT_EQ(Search(), Texts{Make(temp, L"a.tmp")});
}

TEST_F(CleanerPage, AListedFileWhoseFolderBecameALinkAfterTheSearchIsNotDeleted) {
  Make(temp, L"sub\\x.tmp");
  const std::wstring outside = Make(profile, L"outside\\x.tmp");
  ASSERT_EQ(Search().size(), 1u);
  HostShell(temp, L"rm -r sub && ln -s ../outside sub");
  EXPECT_EQ(Fix(), (Texts{L"0 files fixed.", kChanged}));
  EXPECT_TRUE(Exists(outside));
}

// Under Wine a link to a file looks like a plain file and deleting it deletes its target.
TEST_F(CleanerPage, LinksToFilesAreNeitherListedNorFollowedWhenFixing) {
  const std::wstring outside = Make(profile, L"outside\\keep.tmp");
  Make(profile, L"outside\\x.tmp");
  Make(temp, L"target.txt");  // not a ".tmp": its own check would race the link's for the one file
  HostShell(temp, L"ln -s ../outside/keep.tmp filelink.tmp && ln -s target.txt samefolderlink.tmp");
  HostShell(cache, L"ln -s '" + UnixPath(outside) + L"' cachefilelink.dat");
  MadeInShared(cache, L"cachefilelink.dat");
  const std::wstring plain = Make(temp, L"plain.tmp");
  ASSERT_EQ(Search(), Texts{plain});
  HostShell(temp, L"rm plain.tmp && ln -s ../outside/x.tmp plain.tmp");
  EXPECT_EQ(Fix(), (Texts{L"0 files fixed.", kChanged}));
  EXPECT_TRUE(Exists(outside) && Exists(profile + L"\\outside\\x.tmp"));
}

// A folder refuses to open as a file, as a file held by another program does: it is no file in use.
TEST_F(CleanerPage, AListedFileReplacedByAnotherOrByAFolderIsNotDeletedAndTheBoxSaysItChanged) {
  const std::wstring replaced = Make(temp, L"r.tmp"), folder = Make(temp, L"f.tmp");
  ASSERT_EQ(Search().size(), 2u);
  // another file, never the same inode
  HostShell(temp, L"echo new >other && rm r.tmp && mv other r.tmp && rm f.tmp && mkdir f.tmp");
  EXPECT_EQ(Fix(), (Texts{L"0 files fixed.", kChanged}));
  EXPECT_EQ(ReadBytes(replaced), "new\n");
}

// Today's leftovers: old files of any kind in Temp and the browsers' caches in the local application
// data, which Wine has and uses too: the tests own its browser folders.
class CleanerLeftovers : public CleanerPage {
 protected:
  void SetUp() override {
    for (const wchar_t* folder : {L"\\Google", L"\\Mozilla"}) ASSERT_FALSE(Exists(appData + folder));
    CleanerPage::SetUp();
  }
  void TearDown() override {
    CleanerPage::TearDown();
    HostShell(appData, L"rm -rf Google Mozilla");
  }
  // A file of `size` bytes last written `hours` ago.
  std::wstring MakeAged(const std::wstring& folder, const std::wstring& name, int hours, std::size_t size = 1) {
    const std::wstring path = Make(folder, name);
    WriteBytes(path, std::string(size, 'x'));
    ULARGE_INTEGER time;
    GetSystemTimeAsFileTime(reinterpret_cast<FILETIME*>(&time));
    time.QuadPart -= hours * 36'000'000'000ull;
    const ScopedHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, reinterpret_cast<FILETIME*>(&time)));
    return path;
  }

  const std::wstring appData = GetSpecialFolderPath(CSIDL_LOCAL_APPDATA);
  const std::wstring chrome = appData + L"\\Google\\Chrome\\User Data\\Default";
  const std::wstring firefox = appData + L"\\Mozilla\\Firefox\\Profiles\\x1.default-release";
};

TEST_F(CleanerLeftovers, OldTempFilesAndBrowserCachesAreFoundWithSizesAndOnlyTheTickedGoOnceConfirmed) {
  const Texts found = {MakeAged(temp, L"setup.tmp", 1), MakeAged(temp, L"old.log", 8 * 24),
                       MakeAged(chrome, L"Cache\\Cache_Data\\f_000001", 0, 3000),
                       MakeAged(chrome, L"Code Cache\\js\\index", 0), MakeAged(chrome, L"GPUCache\\data_0", 0),
                       MakeAged(firefox, L"cache2\\entries\\E1", 0)};
  const Texts kept = {MakeAged(temp, L"fresh.log", 24), MakeAged(chrome, L"Preferences", 0),
                      MakeAged(chrome, L"Cookies", 0), MakeAged(firefox, L"places.sqlite", 0)};
  const HWND list = form->ToolAs<CleanerTool>().LstETF.Handle();
  ASSERT_EQ(Search(), found);
  const wchar_t separator = UserDecimalSeparator();
  EXPECT_EQ(AccessibleItemDescription(list, 3), FileSizeText(3000, separator)) << "child 3: the third item";
  ClickListItem(list, 3, 5);
  const BoxRecorder question({IDNO});
  PostMessageW(list, WM_SYSCHAR, L'f', 1 << 29), PumpMessages();  // Alt+F
  EXPECT_EQ(question.Calls().at(0).text,
            L"Delete 5 files (" + FileSizeText(3004, separator) + L")? Deleted files cannot be recovered.");
  EXPECT_EQ(question.Calls().at(0).defaultAnswer, IDNO) << "Enter answers No";
  EXPECT_EQ(ListItems(list), found) << "No changes nothing";
  EXPECT_EQ(Fix(), Texts{L"5 files fixed."});
  EXPECT_FALSE(IsWindowEnabled(form->ToolAs<CleanerTool>().BtnETFFix)) << "on the emptied list";
  for (const std::wstring& path : found) EXPECT_EQ(Exists(path), path == found[3]) << testing::PrintToString(path);
  for (const std::wstring& path : kept) EXPECT_TRUE(Exists(path)) << testing::PrintToString(path);
}

// Wine follows links to folders: behind a linked temporary folder (the system's or the old one) lie
// week-old documents, behind a linked "User Data" a folder shaped like a profile.
TEST_F(CleanerLeftovers, NoTemporaryFolderOrUserDataReachedThroughALinkIsSearched) {
  const std::wstring documents = profile + L"\\victim", shaped = appData + L"\\Google\\victim";
  for (const wchar_t* name : {L"report.docx", L"thesis.odt"}) MakeAged(documents, name, 8 * 24);
  for (const wchar_t* name : {L"Preferences", L"Cache\\Cache_Data\\f_000001"}) MakeAged(shaped + L"\\Default", name, 0);
  HostShell(profile, L"ln -s victim linked && rmdir Temp && ln -s victim Temp");
  HostShell(appData + L"\\Google", L"mkdir Chrome && ln -s ../victim 'Chrome/User Data'");
  SetEnvironmentVariableW(L"TMP", (profile + L"\\linked").c_str());
  EXPECT_EQ(Click(form->ToolAs<CleanerTool>().BtnETF), Texts{L"Nothing found! (a good thing)"});
}

// A profile moved elsewhere and linked back below a plain "User Data" is not entered.
TEST_F(CleanerLeftovers, AProfileLinkedBelowUserDataIsNotSearched) {
  for (const wchar_t* name : {L"Preferences", L"Cache\\Cache_Data\\f_000002"})
    MakeAged(appData + L"\\Google\\moved", name, 0);
  MakeAged(chrome, L"Preferences", 0);
  const std::wstring cache = MakeAged(chrome, L"Cache\\Cache_Data\\f_000001", 0);
  HostShell(appData + L"\\Google\\Chrome\\User Data", L"ln -s ../../moved 'Profile 2'");
  EXPECT_EQ(Search(), Texts{cache});
}

class CleanerSearchRun : public CleanerPage {
 protected:
  static constexpr int kFiles = 20000;
  void SetUp() override {
    CleanerPage::SetUp();
    HostShell(temp, L"for d in $(seq 100); do mkdir d$d && cd d$d && touch $(seq -f f%g.tmp 200) && cd ..; done");
  }
  // Runs the search from a posted click, as the user's press arrives, with a message posted after it
  // that the search's own message loop delivers.
  void SearchWith(UINT message, WPARAM wParam, HWND to) {
    PostMessageW(form->ToolAs<CleanerTool>().BtnETF, BM_CLICK, 0, 0);
    PostMessageW(to, message, wParam, 0);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      DispatchMessageW(&msg);
      if (msg.message == BM_CLICK) break;  // the search's handler has returned
    }
  }
};

// A second thread asks the window for an answer every 50 ms; the search must leave it answering.
TEST_F(CleanerSearchRun, TheWindowAnswersDuringTheSearchAndASecondPressIsIgnored) {
  std::atomic<bool> searching{true}, asking{true};
  std::atomic<DWORD> slowest{0};
  std::thread asker([&, window = form->Handle()] {
    while (searching) {
      const DWORD start = GetTickCount();
      DWORD_PTR result;
      SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
      slowest = std::max<DWORD>(slowest, GetTickCount() - start);
      Sleep(50);
    }
    asking = false;
  });
  SearchWith(BM_CLICK, 0, form->ToolAs<CleanerTool>().BtnETF);
  searching = false;
  while (asking) PumpMessages();  // its last question is answered
  asker.join();
  EXPECT_LT(slowest.load(), 1000u) << "the window's slowest answer, in ms";
  std::printf("The window's slowest answer during the search: %lu ms\n", slowest.load());
  EXPECT_EQ(SendMessageW(form->ToolAs<CleanerTool>().LstETF.Handle(), LB_GETCOUNT, 0, 0), kFiles);
  EXPECT_EQ(GetWindowTextLength(form->ToolAs<CleanerTool>().BtnETF), 28) << "the caption is back";
}

TEST_F(CleanerSearchRun, ClosingExitOrTheSessionsEndStopsTheSearchAndEndsTheProgram) {
  const struct {
    UINT message;
    WPARAM wParam;
    std::size_t boxes;  // the tray's Exit asks first
  } ends[] = {{WM_CLOSE, 0, 0}, {WM_COMMAND, kCmdExit1, 1}, {WM_ENDSESSION, TRUE, 0}};
  for (const auto& end : ends) {
    if (!form) {
      form = std::make_unique<TFrmMain>(GetModuleHandleW(nullptr), ProgramFolder());
      ShowPage(PageOf<CleanerTool>());
    }
    BoxRecorder boxes({IDYES});
    const DWORD start = GetTickCount();
    SearchWith(end.message, end.wParam, form->Handle());
    std::printf("Message %u during the search: the search ended after %lu ms\n", end.message, GetTickCount() - start);
    EXPECT_LT(SendMessageW(form->ToolAs<CleanerTool>().LstETF.Handle(), LB_GETCOUNT, 0, 0), kFiles) << end.message;
    PumpMessages();
    EXPECT_FALSE(IsWindow(form->Handle())) << end.message;
    EXPECT_EQ(boxes.Calls().size(), end.boxes) << end.message << " and no \"Nothing found\"";
    form.reset();
  }
}

TEST_F(CleanerPage, ATempFileWhosePathIsLongerThan260CharactersIsListedAndFixed) {
  const std::wstring a(120, L'a'), b(120, L'b'), deep = temp + L"\\" + a + L"\\" + b + L"\\deep.tmp";
  HostShell(temp, L"mkdir -p " + a + L"/" + b + L" && echo x >" + a + L"/" + b + L"/deep.tmp");
  ASSERT_GT(deep.size(), 260u);
  EXPECT_EQ(Search(), Texts{deep});
  EXPECT_EQ(Fix(), Texts{L"1 files fixed."});
  EXPECT_FALSE(Exists(L"\\\\?\\" + deep));
}

// Another thread asks the window for an answer every 20 ms and closes it once the fix has got going;
// presses of either button meanwhile are ignored.
TEST_F(CleanerPage, TheWindowAnswersDuringAFixAndClosingItStopsTheFixAfterTheFileAtHand) {
  constexpr int kFiles = 3000;
  HostShell(temp, L"for d in $(seq 10); do mkdir d$d && touch $(seq -f d$d/f%g.tmp 300); done");
  ASSERT_EQ(Search().size(), static_cast<std::size_t>(kFiles));
  const HWND window = form->Handle(), fix = form->ToolAs<CleanerTool>().BtnETFFix;
  std::atomic<bool> fixing{true}, asking{true};
  int unanswered = 0;
  std::thread asker([&] {
    for (; fixing; Sleep(20)) {
      wchar_t caption[64] = L"";
      DWORD_PTR result;
      const DWORD asked = GetTickCount();
      const bool answered =
          SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) &&
          SendMessageTimeoutW(fix, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(caption), SMTO_NORMAL, 5000, &result);
      unanswered += !answered && GetTickCount() - asked >= 5000;  // waited in vain, not refused by a window gone
      const std::wstring text = caption;
      if (text.rfind(L"Deleting... ", 0) == 0 && text.rfind(L"Deleting... 0 ", 0) != 0)
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    asking = false;
  });
  PostMessageW(form->ToolAs<CleanerTool>().BtnETF, BM_CLICK, 0, 0);  // both delivered while the fix runs
  PostMessageW(fix, BM_CLICK, 0, 0);
  const Texts boxes = Fix();
  fixing = false;
  while (asking) PumpMessages();  // its last question is answered
  asker.join();
  EXPECT_EQ(unanswered, 0);
  ASSERT_EQ(boxes.size(), 1u) << "the count alone";
  const int fixed = std::stoi(boxes[0]);
  EXPECT_TRUE(fixed > 0 && fixed < kFiles) << fixed;
  EXPECT_EQ(boxes[0], std::to_wstring(fixed) + L" files fixed.");
  HostShell(temp, L"test $(find . -name '*.tmp' | wc -l) = " + std::to_wstring(kFiles - fixed));
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
}
