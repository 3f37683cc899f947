// Measures inside Wine, for a program and its baselines, the time from process creation to the
// program's window shown, painted and answering (a WM_NULL answered once nothing of the window waits to
// be painted any more) and its memory once idle, then closes it:
//   launch_probe RUNS EXE CAPTION TAB_BASELINE_EXE CAPTION [OTHER_BASELINE_EXE CAPTION ...]
// Prints each run, the medians and the ratios program / each baseline; the targets are against the
// tabbed baseline, the others show what a part of the start-up costs (Wine's window alone, the same
// controls without the program). Exit 0 when every run was measured, 1 when one could not be, 2 on
// wrong arguments.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kPollMs = 2;  // short, so the figures are not rounded up to the polling period
constexpr DWORD kIdleMs = 1500;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr double kTargetTimeRatio = 1.3;
constexpr double kTargetMemoryRatio = 1.1;
constexpr int kMaxRuns = 99;
constexpr int kMaxPrograms = 6;

struct Program {
  std::wstring exe;
  std::wstring caption;
  std::string name;  // file name without folder and extension, for the output
};

struct Sample {
  double startupMs = 0;
  double privateKiB = 0;
  double workingSetKiB = 0;
  bool killed = false;
};

using Samples = std::vector<Sample>;

double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart / ticksPerMs;
}

size_t LastSlash(const std::wstring& path) { return path.find_last_of(L"\\/"); }

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = LastSlash(path);
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

std::string NameOf(const std::wstring& path) {
  const size_t slash = LastSlash(path);
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  name = name.substr(0, name.rfind(L'.'));
  return std::string(name.begin(), name.end());  // the bench's file names are ASCII
}

// The program's own visible top-level window with the caption: another process's window with the same
// caption (a previous run that is still ending) must not stop the clock.
HWND FindVisibleWindow(const std::wstring& caption, DWORD processId) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, nullptr, caption.c_str()))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Polls for the window; the wait on the process is the pause between polls and notices an early exit.
HWND WaitForWindow(const Program& program, const PROCESS_INFORMATION& process, double startMs) {
  while (NowMs() - startMs < kWindowTimeoutMs) {
    if (HWND window = FindVisibleWindow(program.caption, process.dwProcessId)) return window;
    if (WaitForSingleObject(process.hProcess, kPollMs) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM found) {
  if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

// Whether the window or a visible window in it still has a part to paint.
bool WaitsForPaint(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return true;
  bool waits = false;
  EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&waits));
  return waits;
}

// Waits until the shown window has painted itself, then for its answer to a WM_NULL: what a user
// sees as the window ready.
bool WaitUntilReady(HWND window, double startMs) {
  while (WaitsForPaint(window)) {
    if (NowMs() - startMs > kWindowTimeoutMs) return false;
    Sleep(kPollMs);
  }
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kWindowTimeoutMs, &answer) != 0;
}

// Started from its own folder, as a user would, since quoxel.exe finds its Data folder there.
bool Launch(const Program& program, PROCESS_INFORMATION& process) {
  std::wstring commandLine = L"\"" + program.exe + L"\"";
  const std::wstring folder = FolderOf(program.exe);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return CreateProcessW(program.exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process);
}

// Wine 8 fills only the basic counters and leaves PrivateUsage at 0; PagefileUsage is the same commit
// charge on Windows, and Wine reports there the process's resident anonymous memory (plus swap).
bool ReadMemory(HANDLE process, Sample& sample) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
    return false;
  const SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
  sample.privateKiB = privateBytes / 1024.0;
  sample.workingSetKiB = counters.WorkingSetSize / 1024.0;
  return true;
}

// Ends the process for good, so that no run overlaps the next one.
void Kill(HANDLE process) {
  TerminateProcess(process, 1);
  WaitForSingleObject(process, kExitTimeoutMs);
}

// Asks the program to close as a user would; false when it had to be killed.
bool Close(HWND window, HANDLE process) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process, kExitTimeoutMs) == WAIT_OBJECT_0) return true;
  Kill(process);
  return false;
}

// Everything after the window showed: the idle pause, the memory and the close.
bool MeasureShownWindow(HWND window, HANDLE process, Sample& sample) {
  Sleep(kIdleMs);
  const bool read = ReadMemory(process, sample);
  if (!read) std::fprintf(stderr, "launch_probe: no memory figures (error %lu)\n", GetLastError());
  sample.killed = !Close(window, process);
  return read;
}

bool MeasureOnce(const Program& program, Sample& sample) {
  PROCESS_INFORMATION process{};
  const double startMs = NowMs();
  if (!Launch(program, process)) {
    std::fprintf(stderr, "launch_probe: cannot start %s (error %lu)\n", program.name.c_str(), GetLastError());
    return false;
  }
  HWND window = WaitForWindow(program, process, startMs);
  const bool ready = window && WaitUntilReady(window, startMs);
  sample.startupMs = NowMs() - startMs;
  bool measured = false;
  if (ready) {
    measured = MeasureShownWindow(window, process.hProcess, sample);
  } else {
    std::fprintf(stderr, "launch_probe: %s showed no painted, answering window \"%ls\" within %lu ms\n",
                 program.name.c_str(), program.caption.c_str(), kWindowTimeoutMs);
    Kill(process.hProcess);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return measured;
}

void PrintSample(int run, const Program& program, const Sample& sample) {
  std::printf("%5d  %-16s %10.1f %13.0f %17.0f%s\n", run, program.name.c_str(), sample.startupMs, sample.privateKiB,
              sample.workingSetKiB, sample.killed ? "  killed: no exit 10 s after WM_CLOSE" : "");
  std::fflush(stdout);
}

// One run of each program first, not counted: it loads the files into the cache and Wine's
// libraries into memory, which the first counted run would otherwise pay for alone.
bool WarmUp(const std::vector<Program>& programs) {
  for (const Program& program : programs) {
    Sample sample;
    if (!MeasureOnce(program, sample)) return false;
    PrintSample(0, program, sample);
  }
  return true;
}

// The programs' runs alternate, so a change in the machine's load reaches all of them alike.
bool MeasureAll(const std::vector<Program>& programs, int runs, std::vector<Samples>& samples) {
  samples.assign(programs.size(), Samples());
  for (int run = 1; run <= runs; ++run) {
    for (size_t i = 0; i < programs.size(); ++i) {
      Sample sample;
      if (!MeasureOnce(programs[i], sample)) return false;
      PrintSample(run, programs[i], sample);
      samples[i].push_back(sample);
    }
  }
  return true;
}

double Median(const Samples& samples, double Sample::*field) {
  std::vector<double> values;
  for (const Sample& sample : samples) values.push_back(sample.*field);
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Fastest(const Samples& samples) {
  double fastest = samples.front().startupMs;
  for (const Sample& sample : samples) fastest = std::min(fastest, sample.startupMs);
  return fastest;
}

Sample Medians(const Samples& samples) {
  Sample median;
  median.startupMs = Median(samples, &Sample::startupMs);
  median.privateKiB = Median(samples, &Sample::privateKiB);
  median.workingSetKiB = Median(samples, &Sample::workingSetKiB);
  return median;
}

void PrintMedian(const Program& program, const Sample& median) {
  std::printf("  %-16s start-up %8.1f ms   private %8.0f KiB   working set %8.0f KiB\n", program.name.c_str(),
              median.startupMs, median.privateKiB, median.workingSetKiB);
}

void PrintRatio(const char* what, double value, double baseline, double target) {
  const double ratio = value / baseline;
  std::printf("  %-15s %6.2fx", what, ratio);
  if (target > 0) std::printf("   target at most %.1fx: %s", target, ratio <= target ? "met" : "NOT met");
  std::printf("\n");
}

void PrintSummary(const std::vector<Program>& programs, const std::vector<Samples>& samples, int runs) {
  std::vector<Sample> medians;
  for (const Samples& each : samples) medians.push_back(Medians(each));
  std::printf("\nMedians of %d runs\n", runs);
  for (size_t i = 0; i < programs.size(); ++i) PrintMedian(programs[i], medians[i]);
  for (size_t i = 1; i < programs.size(); ++i) {
    const bool targets = i == 1;
    std::printf("\nRatios %s / %s\n", programs[0].name.c_str(), programs[i].name.c_str());
    PrintRatio("start-up time", medians[0].startupMs, medians[i].startupMs, targets ? kTargetTimeRatio : 0);
    PrintRatio("private memory", medians[0].privateKiB, medians[i].privateKiB, targets ? kTargetMemoryRatio : 0);
    // The fastest runs show the floor when other work on the machine slows some runs down.
    PrintRatio("fastest runs", Fastest(samples[0]), Fastest(samples[i]), 0);
  }
  // What the other baselines cost against the one the targets are measured on.
  for (size_t i = 2; i < programs.size(); ++i) {
    std::printf("\nRatios %s / %s\n", programs[i].name.c_str(), programs[1].name.c_str());
    PrintRatio("start-up time", medians[i].startupMs, medians[1].startupMs, 0);
    PrintRatio("fastest runs", Fastest(samples[i]), Fastest(samples[1]), 0);
  }
}

bool ParseArguments(int argc, wchar_t** argv, int& runs, std::vector<Program>& programs) {
  if (argc < 6 || argc % 2 != 0 || (argc - 2) / 2 > kMaxPrograms) return false;
  runs = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
  for (int i = 2; i + 1 < argc; i += 2) programs.push_back(Program{argv[i], argv[i + 1], NameOf(argv[i])});
  return runs >= 1 && runs <= kMaxRuns;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int runs = 0;
  std::vector<Program> programs;
  if (!ParseArguments(argc, argv, runs, programs)) {
    std::fprintf(stderr,
                 "usage: launch_probe RUNS EXE CAPTION TAB_BASELINE_EXE CAPTION [BASELINE_EXE CAPTION ...] "
                 "(1-%d runs, at most %d programs)\n",
                 kMaxRuns, kMaxPrograms);
    return 2;
  }
  std::printf(
      "Start-up: process creation to the window painted and answering. Memory: after %.1f s idle. Run 0 is "
      "a warm-up, not counted.\n\n  run  program          start-up ms   private KiB   working set KiB\n",
      kIdleMs / 1000.0);
  std::vector<Samples> samples;
  if (!WarmUp(programs) || !MeasureAll(programs, runs, samples)) return 1;
  PrintSummary(programs, samples, runs);
  return 0;
}
