// Times Quoxel's own largest-files search on one drive, driven in-process as the user drives it: the
// real main window shown, the "Hard Disk Drives" page brought to the front, the drive picked in the
// list, 20 files asked for, then the search button's handler timed.
//   search_probe LETTER
// Prints "search_ms <ms>", "results <count>", "first <first result line>" and each line as
// "result <line>" (UTF-8). Exit 0 when the search ran, 1 when it could not (no such drive, an error),
// 2 on wrong arguments.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwctype>
#include <exception>
#include <string>

#include "app/FrmMain.h"
#include "app/Navigation.h"
#include "bench/probe_support.h"
#include "platform/System.h"
#include "tools/disk/DiskTool.h"
#include "ui/Controls.h"

namespace {

constexpr int kLargestFilesWanted = 20;
constexpr int kSmallestCountInBox = 5;  // the count box lists 5 to 20

int DriveIndex(HWND list, wchar_t letter) {
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i)
    if (ListBoxText(list, i)[0] == letter) return i;
  return -1;
}

// The page, the drive and the count as the user leaves them before pressing the button.
bool PrepareSearch(TFrmMain& form, wchar_t letter) {
  form.SetActivePage(PageOf<DiskTool>());
  form.TabitChange();
  const int index = DriveIndex(form.ToolAs<DiskTool>().LstKovot, letter);
  if (index < 0) {
    std::fprintf(stderr, "search_probe: drive %lc is not in the list of fixed drives\n", letter);
    return false;
  }
  SendMessageW(form.ToolAs<DiskTool>().LstKovot, LB_SETCURSEL, index, 0);
  form.ToolAs<DiskTool>().LstKovotClick();
  SendMessageW(form.ToolAs<DiskTool>().Cbo_SC, CB_SETCURSEL, kLargestFilesWanted - kSmallestCountInBox, 0);
  Settle();
  return true;
}

void TimeSearch(TFrmMain& form) {
  const double start = NowMs();
  form.ToolAs<DiskTool>().BtnKovoIsoimmatClick();
  const double elapsed = NowMs() - start;
  const LRESULT results = SendMessageW(form.ToolAs<DiskTool>().LstLargest, LB_GETCOUNT, 0, 0);
  std::printf("search_ms %.3f\nresults %ld\n", elapsed, static_cast<long>(results));
  if (results > 0) std::printf("first %s\n", Utf8(ListBoxText(form.ToolAs<DiskTool>().LstLargest, 0)).c_str());
  for (int i = 0; i < results; ++i)
    std::printf("result %s\n", Utf8(ListBoxText(form.ToolAs<DiskTool>().LstLargest, i)).c_str());
}

int Run(wchar_t letter) {
  InitControls();
  KeepItHeadless("search_probe");
  TFrmMain form(GetModuleHandleW(nullptr), ExecutableFolder());
  ShowWindow(form.Handle(), SW_SHOWNORMAL);
  if (!PrepareSearch(form, letter)) return 1;
  TimeSearch(form);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2 || !std::iswalpha(argv[1][0]) || argv[1][1] != L'\0') {
    std::fprintf(stderr, "usage: search_probe LETTER\n");
    return 2;
  }
  try {
    return Run(static_cast<wchar_t>(std::towupper(argv[1][0])));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "search_probe: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "search_probe: an error that is not a std::exception\n");
  }
  return 1;
}
