// Times the making of each tool's page when it is first shown, in Quoxel's real window with the data of
// FOLDER\Data:   page_probe RUNS FOLDER
// Each run builds the window afresh, shows it, then brings each tool's page to the front in tab order as
// code does (the controls are made; the page's own work, such as the process refresh, does not run),
// and times that ("make_ms") and the page's first paint after it ("paint_ms"). Prints every run and the
// medians. Exit 0 when it measured, 1 when it could not, 2 on wrong arguments.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "app/FrmMain.h"
#include "app/Navigation.h"
#include "bench/probe_support.h"

namespace {

struct Timing {
  double makeMs, paintMs;
};
using Run = std::array<Timing, kTools.size()>;

Run MeasureRun(const std::wstring& folder) {
  TFrmMain form(GetModuleHandleW(nullptr), folder + L"\\");
  ShowWindow(form.Handle(), SW_SHOWNORMAL);
  Settle();
  Run run{};
  for (int page = kPageHome + 1; page < kPageCount; ++page) {
    const double start = NowMs();
    form.SetActivePage(page);
    const double made = NowMs();
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    run[ToolOfPage(page)] = {made - start, NowMs() - made};
    Settle(50);
  }
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void PrintMedians(const std::vector<Run>& runs) {
  std::printf("\nMedians of %zu runs (limit for making a page: 60 ms)\n", runs.size());
  double slowest = 0;
  for (size_t tool = 0; tool < kTools.size(); ++tool) {
    std::vector<double> make, paint;
    for (const Run& run : runs) {
      make.push_back(run[tool].makeMs);
      paint.push_back(run[tool].paintMs);
    }
    slowest = std::max(slowest, Median(make));
    std::printf("  %-20ls make_ms %6.1f  paint_ms %6.1f\n", kTools[tool].tab, Median(make), Median(paint));
  }
  std::printf("slowest_make_ms %.1f %s\n", slowest, slowest <= 60 ? "(met)" : "(NOT met)");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc == 3 ? _wtoi(argv[1]) : 0;
  if (runs < 1 || runs > 99) {
    std::fprintf(stderr, "usage: page_probe RUNS(1-99) FOLDER\n");
    return 2;
  }
  InitControls();
  KeepItHeadless("page_probe");
  try {
    MeasureRun(argv[2]);  // warm-up: the system's libraries and caches as a user's second start finds them
    std::vector<Run> measured;
    for (int i = 1; i <= runs; ++i) {
      measured.push_back(MeasureRun(argv[2]));
      std::printf("run %2d:", i);
      for (const Timing& timing : measured.back()) std::printf(" %5.1f", timing.makeMs);
      std::printf("\n");
    }
    PrintMedians(measured);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "page_probe: %s\n", error.what());
    return 1;
  }
  return boxesShown == 0 ? 0 : 1;
}
