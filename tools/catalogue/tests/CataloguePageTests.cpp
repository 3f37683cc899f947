// The "Software List" page with catalogue files in a scratch folder and updates from the test server
// on 127.0.0.1 (tests/support/catalogue_server.py).
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/FrmMain.h"
#include "platform/HttpDownload.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "tests/support/FormTest.h"
#include "tools/catalogue/CatalogueTool.h"
#include "ui/Controls.h"
#include "utilities/DataFiles.h"
#include "utilities/Maker.h"

namespace {

using Lines = std::vector<std::wstring>;

const char kCatalogue[] = "Tools\r\n\tEditor\r\n\tViewer\r\nGames\r\n\tChess\r\n";
const char kLinks[] = "[linkit]\r\neditor=https://example.org/old-editor\r\nViewer= 'https://example.org/viewer' \r\n";

// Files of the URL cache whose names begin with "soft".
int CachedCopies(const std::wstring& folder = L"") {
  std::wstring root = folder;
  if (root.empty()) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_INTERNET_CACHE, nullptr, 0, path);
    root = path;
  }
  int count = 0;
  WIN32_FIND_DATAW entry;
  const HANDLE find = FindFirstFileW((root + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      count += CachedCopies(root + L"\\" + name);
    else if (_wcsnicmp(name.c_str(), L"soft", 4) == 0)
      ++count;
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return count;
}

std::wstring ServerPort() {
  const std::string port = ReadBytes(L"catalogue-server.port");
  return std::wstring(port.begin(), port.end());
}

class CataloguePage : public FormTest {
 protected:
  // The catalogue loads as the window is built.
  void SetUp() override {
    WriteBytes(File(L"soft.txt"), kCatalogue);
    WriteBytes(File(L"soft.ini"), kLinks);
    Start();
  }
  void Start() {
    form.reset();
    FormTest::SetUp();
    ShowPage(PageOf<CatalogueTool>());
  }
  void TearDown() override {
    FormTest::TearDown();
    SetEnvironmentVariableW(L"QUOXEL_UPDATE_SERVER", nullptr);
  }

  std::wstring ProgramFolder() const override { return data.ProgramFolder(); }
  std::wstring File(const wchar_t* name) const { return data.File(name); }
  std::wstring Server(const wchar_t* testCase) const { return L"http://127.0.0.1:" + ServerPort() + L"/" + testCase; }

  // Captions of the tree, depth first, each indented by a tab per level.
  Lines Tree() {
    Lines lines;
    Collect(
        reinterpret_cast<HTREEITEM>(SendMessageW(form->ToolAs<CatalogueTool>().Softat, TVM_GETNEXTITEM, TVGN_ROOT, 0)),
        0, lines);
    return lines;
  }
  void Collect(HTREEITEM item, int depth, Lines& lines) {
    for (; item; item = reinterpret_cast<HTREEITEM>(SendMessageW(form->ToolAs<CatalogueTool>().Softat, TVM_GETNEXTITEM,
                                                                 TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
      lines.push_back(std::wstring(depth, L'\t') + Caption(item));
      Collect(reinterpret_cast<HTREEITEM>(SendMessageW(form->ToolAs<CatalogueTool>().Softat, TVM_GETNEXTITEM,
                                                       TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
              depth + 1, lines);
    }
  }
  std::wstring Caption(HTREEITEM item) { return TreeItemText(form->ToolAs<CatalogueTool>().Softat, item); }
  HTREEITEM Find(const std::wstring& caption) {
    HTREEITEM found = nullptr;
    FindIn(
        reinterpret_cast<HTREEITEM>(SendMessageW(form->ToolAs<CatalogueTool>().Softat, TVM_GETNEXTITEM, TVGN_ROOT, 0)),
        caption, found);
    return found;
  }
  void FindIn(HTREEITEM item, const std::wstring& caption, HTREEITEM& found) {
    for (; item && !found;
         item = reinterpret_cast<HTREEITEM>(SendMessageW(form->ToolAs<CatalogueTool>().Softat, TVM_GETNEXTITEM,
                                                         TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
      if (Caption(item) == caption) found = item;
      FindIn(reinterpret_cast<HTREEITEM>(SendMessageW(form->ToolAs<CatalogueTool>().Softat, TVM_GETNEXTITEM, TVGN_CHILD,
                                                      reinterpret_cast<LPARAM>(item))),
             caption, found);
    }
  }
  void Select(const std::wstring& caption) {
    HTREEITEM item = Find(caption);
    ASSERT_NE(item, nullptr) << testing::PrintToString(caption);
    SendMessageW(form->ToolAs<CatalogueTool>().Softat, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    PumpMessages();
  }
  // Runs the update against a case of the test server to its end; returns the boxes it showed.
  std::vector<BoxCall> Update(const wchar_t* testCase) { return UpdateFrom(Server(testCase)); }
  std::vector<BoxCall> UpdateFrom(const std::wstring& server) {
    SetEnvironmentVariableW(L"QUOXEL_UPDATE_SERVER", server.c_str());
    BoxRecorder boxes;
    PostMessageW(form->ToolAs<CatalogueTool>().BtnUpdate1, BM_CLICK, 0, 0);
    PumpMessages();
    WaitForUpdate();
    return boxes.Calls();
  }
  // The button is disabled while an update runs.
  void WaitForUpdate(int seconds = 45) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!IsWindowEnabled(form->ToolAs<CatalogueTool>().BtnUpdate1) && std::chrono::steady_clock::now() < end) {
      Sleep(20);
      PumpMessages();
    }
    ASSERT_TRUE(IsWindowEnabled(form->ToolAs<CatalogueTool>().BtnUpdate1)) << "the update did not end";
  }
  void ExpectCatalogueUnchanged() {
    EXPECT_EQ(Tree(), (Lines{L"Tools", L"\tEditor", L"\tViewer", L"Games", L"\tChess"}));
    EXPECT_EQ(ReadBytes(File(L"soft.txt")), kCatalogue);
    EXPECT_EQ(ReadBytes(File(L"soft.ini")), kLinks);
    EXPECT_EQ(GetFileAttributesW(File(L"soft.txt.download").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(File(L"soft.ini.download").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(balloons.empty());
  }

  ScratchDataFolder data{L"catalogue-test"};
};

}  // namespace

TEST_F(CataloguePage, LoadsTheTreeAndShowsTheMakersAddressFirst) {
  EXPECT_EQ(Tree(), (Lines{L"Tools", L"\tEditor", L"\tViewer", L"Games", L"\tChess"}));
  EXPECT_EQ(WindowTextOf(form->ToolAs<CatalogueTool>().LblSLink), kMakerAddress);
}

TEST_F(CataloguePage, SelectingAnEntryShowsItsDownloadLocation) {
  Select(L"Editor");
  EXPECT_EQ(WindowTextOf(form->ToolAs<CatalogueTool>().LblSLink), L"https://example.org/old-editor")
      << "key and section case ignored";
  RECT rect;
  GetClientRect(form->ToolAs<CatalogueTool>().LblSLink, &rect);
  EXPECT_GE(rect.right,
            TextExtent(reinterpret_cast<HFONT>(SendMessageW(form->ToolAs<CatalogueTool>().LblSLink, WM_GETFONT, 0, 0)),
                       WindowTextOf(form->ToolAs<CatalogueTool>().LblSLink))
                .cx)
      << "the label sizes itself to its text";
  Select(L"Viewer");
  EXPECT_EQ(WindowTextOf(form->ToolAs<CatalogueTool>().LblSLink), L"https://example.org/viewer")
      << "blanks and quotes dropped";
  Select(L"Chess");
  EXPECT_EQ(WindowTextOf(form->ToolAs<CatalogueTool>().LblSLink), L"") << "no key";
  Select(L"Editor");
  Select(L"Tools");
  EXPECT_EQ(WindowTextOf(form->ToolAs<CatalogueTool>().LblSLink), L"") << "a category has no location";
}

TEST_F(CataloguePage, ABadCatalogueKeepsTheEntriesBeforeTheBadLineAndSaysWhy) {
  WriteBytes(File(L"soft.txt"), "Tools\r\n\tEditor\r\nGames\r\n\t\tChess\r\nLater\r\n");
  BoxRecorder boxes;
  Start();
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].kind, BoxKind::Error);
  EXPECT_EQ(boxes.Calls()[0].text, L"Invalid level (2) for item \"Chess\"");
  EXPECT_EQ(Tree(), (Lines{L"Tools", L"\tEditor", L"Games"}));
}

TEST_F(CataloguePage, AnUpdateReplacesBothFilesReloadsAndAnnouncesIt) {
  const int cachedBefore = CachedCopies();
  const auto boxes = Update(L"good");
  EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : testing::PrintToString(boxes[0].text));
  EXPECT_EQ(Tree(), (Lines{L"Updated tools", L"\tNew editor", L"Updated games", L"\tChess"}));
  EXPECT_EQ(ReadBytes(File(L"soft.txt")), "Updated tools\r\n\tNew editor\r\nUpdated games\r\n\tChess\r\n");
  Select(L"New editor");
  EXPECT_EQ(WindowTextOf(form->ToolAs<CatalogueTool>().LblSLink), L"https://example.org/editor");
  Select(L"Chess");
  EXPECT_EQ(WindowTextOf(form->ToolAs<CatalogueTool>().LblSLink), L"https://example.org/chess");
  ASSERT_EQ(balloons.size(), 1u);
  EXPECT_EQ(balloons[0].first, L"\"Software List\"-module updated successfully!");
  EXPECT_EQ(balloons[0].second, L"Update");
  EXPECT_EQ(CachedCopies(), cachedBefore) << "nothing of the download is left in the URL cache";
}

// A server that compresses on the fly answers an HTTP/1.1 request in chunks, whose end cannot be
// checked, and an HTTP/1.0 one with the file's length.
TEST_F(CataloguePage, AServerThatWouldAnswerInChunksSendsTheWholeFile) {
  const auto boxes = Update(L"compressing");
  EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : testing::PrintToString(boxes[0].text));
  EXPECT_EQ(Tree(), (Lines{L"Updated tools", L"\tNew editor", L"Updated games", L"\tChess"}));
}

TEST_F(CataloguePage, AnErrorAnswerIsADownloadErrorAndChangesNothing) {
  for (const wchar_t* testCase : {L"missing", L"error"}) {
    SCOPED_TRACE(testing::PrintToString(testCase));
    const auto boxes = Update(testCase);
    ASSERT_EQ(boxes.size(), 1u);
    const wchar_t* status = testCase[0] == L'm' ? L"404" : L"500";
    EXPECT_EQ(boxes[0].text, L"Error downloading URL: " + Server(testCase) +
                                 L"/qvr/soft.txt. The server answered with status " + status + L".");
    ExpectCatalogueUnchanged();
  }
}

TEST_F(CataloguePage, ARefusedConnectionIsADownloadError) {
  const auto boxes = UpdateFrom(L"http://127.0.0.1:1");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(
      boxes[0].text,
      L"Error downloading URL: http://127.0.0.1:1/qvr/soft.txt. The server could not be reached, or gave no answer.");
  ExpectCatalogueUnchanged();
}

TEST_F(CataloguePage, ABadlyIndentedDownloadKeepsTheOldCatalogue) {
  const auto boxes = Update(L"badtree");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, L"Invalid level (2) for item \"Too deep\"");
  ExpectCatalogueUnchanged();
}

TEST_F(CataloguePage, AFailedSecondDownloadKeepsBothOldFiles) {
  const auto boxes = Update(L"badini");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            L"Error downloading URL: " + Server(L"badini") + L"/qvr/soft.ini. The server answered with status 404.");
  ExpectCatalogueUnchanged();
}

TEST_F(CataloguePage, AConnectionCutMidFileIsADownloadError) {
  const auto boxes = Update(L"cut");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, L"Error downloading URL: " + Server(L"cut") +
                               L"/qvr/soft.txt. The connection closed before the whole file arrived.");
  ExpectCatalogueUnchanged();
}

// What a hostile or broken server sends never replaces a file; the limits are short here.
TEST_F(CataloguePage, WhatIsNotAWholePlausibleFileChangesNothing) {
  SetDownloadLimits({300, 64 * 1024});
  const std::wstring chunks = L". The server sent the file in chunks, whose end cannot be checked.";
  struct Case {
    const wchar_t* server;
    const wchar_t* file;
    std::wstring before, after;  // the address
  };
  const std::wstring error = L"Error downloading URL: ", notAList = L"The file at ";
  const Case cases[] = {
      {L"chunked", L"soft.txt", error, chunks},  // cut before its last chunk
      {L"chunkedwhole", L"soft.txt", error, chunks},
      {L"chunkedini", L"soft.ini", error, chunks},
      {L"twocodings", L"soft.txt", error, chunks},  // identity, then chunked
      {L"longcoding", L"soft.txt", error, chunks},  // longer than a fixed buffer
      {L"huge", L"soft.txt", error, L". The file is larger than 64 KiB."},
      {L"silent", L"soft.txt", error, L". The server sent no data for 300 ms."},
      // https answered over the plain connection
      {L"redirect", L"soft.txt", error, L". The server could not be reached, or gave no answer."},
      {L"binary", L"soft.txt", notAList, L" is not a software list."},
      {L"html", L"soft.ini", notAList, L" is not a software list."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.server));
    const auto boxes = Update(c.server);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, c.before + Server(c.server) + L"/qvr/" + c.file + c.after);
    ExpectCatalogueUnchanged();
  }
  SetDownloadLimits();
}

// One byte a second: the box says how little came in the interval, not that nothing came.
TEST_F(CataloguePage, ASlowServerIsToldAsTooSlow) {
  SetDownloadLimits({2000, 64 * 1024});
  const auto boxes = Update(L"drip");
  SetDownloadLimits();
  ASSERT_EQ(boxes.size(), 1u);
  const std::wstring start =
      L"Error downloading URL: " + Server(L"drip") + L"/qvr/soft.txt. The download was too slow: ";
  EXPECT_EQ(boxes[0].text.substr(0, start.size()), start);
  EXPECT_EQ(boxes[0].text.substr(start.size() + 1), L" bytes in 2 seconds.") << "2 or 3 bytes: " << boxes[0].text;
  ExpectCatalogueUnchanged();
}

TEST_F(CataloguePage, ALinkFileThatCannotBeReplacedLeavesBothFiles) {
  // Open without FILE_SHARE_DELETE: nobody can rename or delete it meanwhile.
  const HANDLE held = CreateFileW(File(L"soft.ini").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const auto boxes = Update(L"good");
  CloseHandle(held);
  ASSERT_EQ(boxes.size(), 1u);
  const std::wstring links = DataFile(form->AppDir(), L"soft.ini");
  EXPECT_EQ(boxes[0].text.rfind(L"Cannot create file \"" + links + L"\". ", 0), 0u) << boxes[0].text;
  ExpectCatalogueUnchanged();
}

TEST_F(CataloguePage, TheWindowAnswersDuringADownloadAndClosingEndsIt) {
  SetEnvironmentVariableW(L"QUOXEL_UPDATE_SERVER", Server(L"drip").c_str());
  const auto start = std::chrono::steady_clock::now();
  SendMessageW(form->ToolAs<CatalogueTool>().BtnUpdate1, BM_CLICK, 0, 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_FALSE(IsWindowEnabled(form->ToolAs<CatalogueTool>().BtnUpdate1)) << "a second press is not taken";
  ClickTab(form->Tabit, kPageHome);
  EXPECT_EQ(form->ActivePage(), kPageHome);
  const HWND window = form->Handle();
  PostMessageW(window, WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(ReadBytes(File(L"soft.txt")), kCatalogue);
  EXPECT_EQ(ReadBytes(File(L"soft.ini")), kLinks);
  EXPECT_TRUE(balloons.empty());
}

TEST_F(CataloguePage, TheRealLimitsHold) {
  const auto start = std::chrono::steady_clock::now();
  auto boxes = Update(L"huge");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << "refused for its size, not read";
  ASSERT_EQ(boxes.size(), 1u);
  boxes = UpdateFrom(Server(L"silent"));
  const auto waited = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            L"Error downloading URL: " + Server(L"silent") + L"/qvr/soft.txt. The server sent no data for 30 seconds.");
  EXPECT_GE(waited, std::chrono::seconds(30));
  ExpectCatalogueUnchanged();
}
