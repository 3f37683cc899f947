// Times Quoxel's own cleaner search, driven in-process as the user drives it: the real main window
// shown, the "Cleaner" page brought to the front, then the search button's handler timed, list filled.
//   cleaner_probe
// Prints "search_ms <ms>" and "listed <count>". Exit 0 when the search ran, 1 when a box came up.
#include <cstdio>
#include <exception>

#include "app/FrmMain.h"
#include "app/Navigation.h"
#include "bench/probe_support.h"
#include "platform/System.h"
#include "tools/cleaner/CleanerTool.h"

namespace {

int Run() {
  InitControls();
  KeepItHeadless("cleaner_probe");
  TFrmMain form(GetModuleHandleW(nullptr), ExecutableFolder());
  ShowWindow(form.Handle(), SW_SHOWNORMAL);
  form.SetActivePage(kPageCleaner);
  form.TabitChange();
  Settle();
  const double start = NowMs();
  form.Cleaner().BtnETFClick();
  const double elapsed = NowMs() - start;
  std::printf("search_ms %.3f\nlisted %ld\n", elapsed,
              static_cast<long>(SendMessageW(form.Cleaner().LstETF, LB_GETCOUNT, 0, 0)));
  return boxesShown == 0 ? 0 : 1;
}

}  // namespace

int wmain() {
  try {
    return Run();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "cleaner_probe: %s\n", error.what());
  }
  return 1;
}
