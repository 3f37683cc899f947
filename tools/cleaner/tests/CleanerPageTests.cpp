// The "Cleaner" page on folders the tests make inside the Wine prefix: the two profile folders built
// from the real user name and the real cookie folder.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "platform/Handles.h"
#include "platform/UserFolders.h"
#include "tests/support/FormTest.h"
#include "tools/cleaner/CleanerTool.h"
#include "ui/CheckListBox.h"

namespace {

constexpr wchar_t kProfiles[] = L"C:\\Documents and Settings";

std::wstring UnixPath(const std::wstring& path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* unix = toUnix(path.c_str());
  const std::wstring result(unix, unix + strlen(unix));
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// Runs a shell script on the host in a folder of the prefix: Wine's CreateSymbolicLinkW makes no
// link, so links are made the Unix way. Wine neither waits for a Unix program nor gives its exit
// code, so the script writes its status to a file, which is awaited.
void HostShell(const std::wstring& folder, const std::wstring& script) {
  const std::wstring name = L"quoxel-cleaner-shell-" + std::to_wstring(GetCurrentProcessId());
  const std::wstring status = L"C:\\" + name;
  std::wstring line = L"/bin/sh -c \"cd '" + UnixPath(folder) + L"' && " + script + L"; echo $? >'" +
                      UnixPath(L"C:\\") + L"/" + name + L"'\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int waited = 0; ReadBytes(status).empty() && waited < 60000; waited += 20) Sleep(20);
  EXPECT_EQ(ReadBytes(status), "0\n") << testing::PrintToString(script);
  DeleteFileW(status.c_str());
}

class CleanerPage : public FormTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetFileAttributesW(kProfiles), INVALID_FILE_ATTRIBUTES) << "the tests make this folder and remove it";
    profilesMade = true;
    cookiesMade = GetFileAttributesW(cookies.c_str()) == INVALID_FILE_ATTRIBUTES;
    for (const auto& folder : {temp, cache, cookies}) SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    FormTest::SetUp();
  }
  void TearDown() override {
    FormTest::TearDown();
    for (const auto& path : made) {
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    }
    if (cookiesMade) RemoveDirectoryW(cookies.c_str());
    if (profilesMade) HostShell(L"C:\\", L"rm -rf '" + UnixPath(kProfiles) + L"'");
  }
  std::wstring Make(const std::wstring& folder, const std::wstring& name) {
    const std::wstring path = folder + L"\\" + name;
    SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
    WriteBytes(path, "x");
    made.push_back(path);
    return path;
  }
  std::vector<BoxCall> Click(HWND button) {
    BoxRecorder boxes;
    SendMessageW(button, BM_CLICK, 0, 0);
    return boxes.Calls();
  }
  std::vector<std::wstring> Search() {
    EXPECT_TRUE(Click(form->Cleaner().BtnETF).empty());
    return ListItems(form->Cleaner().LstETF);
  }
  static std::set<std::wstring> Set(const std::vector<std::wstring>& paths) { return {paths.begin(), paths.end()}; }
  static std::vector<std::wstring> Texts(const std::vector<BoxCall>& calls) {
    std::vector<std::wstring> texts;
    for (const auto& call : calls) texts.push_back(call.text);
    return texts;
  }

  const std::wstring profile = std::wstring(kProfiles) + L"\\" + GetLoggedOnUserName() + L"\\Local Settings";
  const std::wstring temp = profile + L"\\Temp", cache = profile + L"\\Temporary Internet Files";
  const std::wstring cookies = GetSpecialFolderPath(CSIDL_COOKIES);
  bool cookiesMade = false, profilesMade = false;
  std::vector<std::wstring> made;
};

}  // namespace

TEST_F(CleanerPage, ASearchListsTempFilesAtAnyDepthTheCacheTopLevelAndTextCookiesAllChecked) {
  const std::wstring listed[] = {Make(temp, L"a.tmp"), Make(temp, L"sub\\deeper\\b.tmp"), Make(cache, L"page.htm"),
                                 Make(cache, L".hidden"), Make(cookies, L"ann@site.txt")};
  for (const auto& name : {L"A.TMP", L"c.tmp.bak", L".hidden\\d.tmp", L"system\\e.tmp"}) Make(temp, name);
  ASSERT_TRUE(SetFileAttributesW((temp + L"\\system").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
  Make(cache, L"sub\\f.htm");
  for (const auto& name : {L"index.dat", L"bob@site.TXT"}) Make(cookies, name);
  const auto items = Search();
  EXPECT_EQ(Set(items), Set({std::begin(listed), std::end(listed)}));
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[1], listed[1]) << "a folder's files before its subfolders', the scans in order";
  EXPECT_EQ(items[4], listed[4]);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(IsItemChecked(form->Cleaner().LstETF, i));
  EXPECT_EQ(Search(), items) << "a new search replaces the list";
}

TEST_F(CleanerPage, ReadOnlyFilesAndFilesHeldOpenWithoutSharingAreNotListed) {
  const std::wstring readOnly = Make(temp, L"read-only.tmp"), held = Make(cache, L"held");
  ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  const ScopedHandle holder(CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);
  EXPECT_EQ(Search(), std::vector<std::wstring>{Make(cookies, L"kept.txt")});
}

TEST_F(CleanerPage, FixSelectedDeletesTheCheckedFilesCountsThemAndNamesThoseInUse) {
  const std::wstring unchecked = Make(temp, L"u.tmp"), readOnly = Make(temp, L"r.tmp"), held = Make(cache, L"h");
  const auto items = Search();
  const int index = static_cast<int>(std::find(items.begin(), items.end(), unchecked) - items.begin());
  ClickListItem(form->Cleaner().LstETF, index, 5);  // its check box
  ASSERT_FALSE(IsItemChecked(form->Cleaner().LstETF, index));
  ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  const ScopedHandle holder(CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  const auto texts = Texts(Click(form->Cleaner().BtnETFFix));
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"1 files fixed.", L"Some of the files could not be fixed because "
                                                                 L"they are in use by the operating system."}));
  EXPECT_EQ(GetFileAttributesW(readOnly.c_str()), INVALID_FILE_ATTRIBUTES);
  for (const auto& path : {unchecked, held}) EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(ListItems(form->Cleaner().LstETF).empty());
}

TEST_F(CleanerPage, NothingFoundIsToldAndFixingAnEmptyListShowsNothing) {
  EXPECT_EQ(Texts(Click(form->Cleaner().BtnETF)), std::vector<std::wstring>{L"Nothing found! (a good thing)"});
  EXPECT_TRUE(Click(form->Cleaner().BtnETFFix).empty());
}

TEST_F(CleanerPage, FolderLinksAreNotEnteredSoALoopEndsAndNothingOutsideIsListed) {
  Make(profile, L"outside\\o.tmp");
  HostShell(temp, L"ln -s . loop && ln -s .. up && ln -s ../outside out");
  EXPECT_EQ(Search(), std::vector<std::wstring>{Make(temp, L"a.tmp")});
}

TEST_F(CleanerPage, AListedFileWhoseFolderBecameALinkAfterTheSearchIsNotDeleted) {
  Make(temp, L"sub\\x.tmp");
  const std::wstring outside = Make(profile, L"outside\\x.tmp");
  ASSERT_EQ(Search().size(), 1u);
  HostShell(temp, L"rm -r sub && ln -s ../outside sub");
  EXPECT_EQ(Texts(Click(form->Cleaner().BtnETFFix)), std::vector<std::wstring>{L"0 files fixed."});
  EXPECT_NE(GetFileAttributesW(outside.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CleanerPage, ASearchOfTwentyThousandFilesCompletes) {
  HostShell(temp, L"for d in $(seq 200); do mkdir d$d && cd d$d && touch $(seq -f f%g.tmp 100) && cd ..; done");
  const DWORD start = GetTickCount();
  EXPECT_TRUE(Click(form->Cleaner().BtnETF).empty());
  std::printf("A search of 20000 files took %lu ms\n", GetTickCount() - start);
  EXPECT_EQ(SendMessageW(form->Cleaner().LstETF, LB_GETCOUNT, 0, 0), 20000);
}
