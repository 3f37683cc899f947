// Times Quoxel's own cleaner search, driven in-process as the user drives it: the real main window
// shown, the "Cleaner" page brought to the front, then the search button's handler timed, list filled.
// With "fix", "Fix selected" then deletes every file found, its question answered Yes, while another
// thread asks the window for an answer (WM_NULL) every 20 ms.
//   cleaner_probe [fix]
// Prints "search_ms <ms>" and "listed <count>"; with "fix" also "asked <question>", "fix_ms <ms>" (from
// the press to the count box), "fixed <count box text>" and "worst_answer_ms <ms>". Exit 0 when it ran,
// 1 when a box came up other than the fix's question and count.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <exception>
#include <thread>

#include "app/FrmMain.h"
#include "app/Navigation.h"
#include "bench/probe_support.h"
#include "platform/System.h"
#include "tools/cleaner/CleanerTool.h"

namespace {

// Presses "Fix selected", answers its question Yes, and times it to the count box; with the window's
// slowest answer meanwhile.
bool TimeFix(TFrmMain& form) {
  std::wstring asked, counted;
  double countedAt = 0;
  SetBoxAnswerer([&](const BoxCall& box) {
    if (box.kind == BoxKind::Confirmation && asked.empty()) {
      asked = box.text;
      return IDYES;
    }
    if (!counted.empty() || box.kind != BoxKind::Notice) ++boxesShown;
    if (counted.empty()) countedAt = NowMs();
    counted = box.text;
    return IDOK;
  });
  std::atomic<bool> fixing{true}, asking{true};
  double worst = 0;
  std::thread asker([&, window = form.Handle()] {
    while (fixing) {
      const double sent = NowMs();
      DWORD_PTR result;
      SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
      worst = std::max(worst, NowMs() - sent);
      Sleep(20);
    }
    asking = false;
  });
  const double start = NowMs();
  form.ToolAs<CleanerTool>().BtnETFFixClick();
  fixing = false;
  while (asking) PumpMessages();  // its last question is answered
  asker.join();
  std::printf("asked %s\nfix_ms %.3f\nfixed %s\nworst_answer_ms %.3f\n", Utf8(asked).c_str(), countedAt - start,
              Utf8(counted).c_str(), worst);
  return !asked.empty() && !counted.empty();
}

int Run(bool fix) {
  InitControls();
  KeepItHeadless("cleaner_probe");
  TFrmMain form(GetModuleHandleW(nullptr), ExecutableFolder());
  ShowWindow(form.Handle(), SW_SHOWNORMAL);
  form.SetActivePage(PageOf<CleanerTool>());
  form.TabitChange();
  Settle();
  const double start = NowMs();
  form.ToolAs<CleanerTool>().BtnETFClick();
  const double elapsed = NowMs() - start;
  std::printf("search_ms %.3f\nlisted %ld\n", elapsed,
              static_cast<long>(SendMessageW(form.ToolAs<CleanerTool>().LstETF.Handle(), LB_GETCOUNT, 0, 0)));
  if (fix && !TimeFix(form)) return 1;
  return boxesShown == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Run(argc > 1 && std::wcscmp(argv[1], L"fix") == 0);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "cleaner_probe: %s\n", error.what());
  }
  return 1;
}
