// "Hard Disk Drives" page: the search for the largest files of a drive, and saving its results.
#include "tools/disk/DiskTool.h"

#include <commctrl.h>

#include <atomic>
#include <exception>
#include <thread>

#include "platform/Dpi.h"
#include "platform/Drives.h"
#include "platform/Fonts.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/TextFiles.h"
#include "tools/disk/DriveWalk.h"
#include "ui/Handlers.h"
#include "ui/RightColumnList.h"
#include "utilities/LargestFiles.h"

namespace {

constexpr int kShell32FindFolderClip = 150;
constexpr int kSearchComboListHeight = 200;
constexpr DWORD kAnswerIntervalMs = 10;

}  // namespace

void DiskTool::CreateSearchControls() {
  const HFONT font = host_.Fonts().normal.Get();
  // Sizes right-aligned in a column measured in the list's font, whatever the screen's scale.
  LstLargest = page_->Bind(
      CreateRightColumnList(PageHandle(), WS_TABSTOP | WS_VSCROLL, {3, 167, 585, 173}, font, WS_EX_CLIENTEDGE),
      Binding().OnContextMenu([this](POINT at) { ShowResultsMenu(at); }));
  SetAccessibleName(LstLargest, L"Largest files");
  ShowWindow(LstLargest, SW_HIDE);
  SetItemHeight(LstLargest, LB_SETITEMHEIGHT, 13);
  Pop2.Reset(CreatePopupMenu());
  AppendMenuW(Pop2.Get(), MF_STRING, kCmdSaveRTAF, L"Save results to a file");
  page_->BindMenuCommand(kCmdSaveRTAF, [this] { SaveRTAFClick(); });
  Save1.kind = FileDialog::Kind::Save;
  Save1.filter = L"Text File (*.txt)|*.txt";
  Save1.defaultExtension = L".txt";
  Save1.overwritePrompt = true;  // the results file may replace another: ask first

  Cbo_SC = page_->Bind(CreateChild(PageHandle(), WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                                   {407, 109, 42, 21 + kSearchComboListHeight}, 0, font),
                       OnKey([this](wchar_t& key) { Cbo_SCKeyPress(key); }).OnSelect([this] { host_.SettingsChanged(); }));
  for (int count = kFewestLargestFiles; count <= kLargestFilesCapacity; ++count)
    SendMessageW(Cbo_SC, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(count).c_str()));
  SendMessageW(Cbo_SC, CB_SETCURSEL, 0, 0);
  SetAccessibleName(Cbo_SC, L"Number of largest files");
  SetItemHeight(Cbo_SC, CB_SETITEMHEIGHT, 13);
  Lbl9 = CreateLabel(PageHandle(), L"Search", {368, 117, 33, 13}, font);
  Lbl10 = CreateLabel(PageHandle(), L"largest files", {455, 117, 55, 13}, font);
  BtnKovoIsoimmat = page_->Bind(CreateSpeedButton(PageHandle(), L"Search!", {287, 136, 298, 25}, 0, font, L'S'),
                                OnClick([this] { BtnKovoIsoimmatClick(); }));
  EnableWindow(BtnKovoIsoimmat, FALSE);

  Anim1 = CreateChild(PageHandle(), ANIMATE_CLASSW, L"", ACS_TRANSPARENT, {239, 215, 80, 50}, 0, nullptr);
  ShowWindow(Anim1, SW_HIDE);
  searchingFont_ = MakeFont({L"Tahoma", 16, FW_NORMAL, true}, WindowDpi(PageHandle()));
  LblSearching = CreateLabel(PageHandle(), L"Searching...", {239, 271, 84, 19}, searchingFont_.Get());
  ShowWindow(LblSearching, SW_HIDE);
}

// Opening the clip loads the video libraries and decodes its first frame: done when the page first
// shows rather than while the program starts.
void DiskTool::OpenSearchClip() {
  if (searchClipOpen_) return;
  searchClipOpen_ = SendMessageW(Anim1, ACM_OPENW, reinterpret_cast<WPARAM>(ShellResources()),
                                 reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(kShell32FindFolderClip))) != 0;
}

void DiskTool::ShowResultsMenu(POINT at) { ShowPopupMenu(Pop2.Get(), PageHandle(), at); }

void DiskTool::Cbo_SCKeyPress(wchar_t& key) { key = 0; }

void DiskTool::BtnKovoIsoimmatClick() {
  // The search shares its tables and pumps messages: a press during a search must not start another.
  if (searching_) return;
  const RunningFlag running(searching_);
  const LongWork longWork(host_);  // closing the window meanwhile takes effect once the results are listed
  OpenSearchClip();

  SendMessageW(LstLargest, LB_RESETCONTENT, 0, 0);
  ResetLargestFiles();
  walked_.clear();
  LargestFilesCount = static_cast<std::int8_t>(SendMessageW(Cbo_SC, CB_GETCURSEL, 0, 0) + 5);
  const wchar_t letter = SelectedDriveLetter();
  // Frames 1 to 29, repeating; a shorter clip (Wine's) refuses that range and plays whole instead.
  if (!SendMessageW(Anim1, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 28)))
    SendMessageW(Anim1, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, -1));
  ShowWindow(Anim1, SW_SHOW);
  ShowWindow(LblSearching, SW_SHOW);
  ShowWindow(LstLargest, SW_HIDE);
  SearchLargestFiles(std::wstring(1, letter) + L":\\");
  SortLargestFiles();
  ListSearchResults();
}

void DiskTool::ListSearchResults() {
  SendMessageW(Anim1, ACM_STOP, 0, 0);
  ShowWindow(Anim1, SW_HIDE);
  ShowWindow(LblSearching, SW_HIDE);
  const wchar_t separator = UserDecimalSeparator();
  for (int i = 1; i <= LargestFilesCount; ++i) {
    const std::wstring line = SortedLargestFile(i).path + L"\t " + FormatFileSize(i, separator);
    SendMessageW(LstLargest, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  ShowWindow(LstLargest, SW_SHOW);
}

// The walk runs on a thread of its own, so that file-system redirection can be off for it alone; the
// window answers meanwhile, and an end asked for by the user stops the walk with what it found.
void DiskTool::SearchLargestFiles(const std::wstring& root) {
  std::atomic<bool> stop{false}, done{false};
  std::exception_ptr failure;
  const FolderAccess& access = DriveFolderAccess();
  std::thread walk([&] {
    try {
      access.runThread([&] {
        WalkFolders(
            root, access, SearchWorkers(), walked_,
            {[&stop] { return !stop; }, [](const std::wstring& path, std::int64_t size) { AddLargestFile(path, size); },
             [](std::int64_t size) { return WouldKeepLargestFile(size); }});
      });
    } catch (...) {
      failure = std::current_exception();
    }
    done = true;
  });
  while (!done) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kAnswerIntervalMs, QS_ALLINPUT);
    ProcessPendingMessages(host_.Window());
    if (host_.EndRequested()) stop = true;  // the user is ending the program: list what was found
  }
  walk.join();
  if (failure) std::rethrow_exception(failure);
}

void DiskTool::SaveRTAFClick() {
  if (!Save1.Execute(host_.Window()) || Save1.files.empty()) return;
  std::vector<std::wstring> lines;
  const LRESULT count = SendMessageW(LstLargest, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) lines.push_back(ListBoxText(LstLargest, i));
  WriteTextListFile(Save1.files.front(), lines);
}
