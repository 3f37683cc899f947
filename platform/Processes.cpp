#include "platform/Processes.h"

#include <tlhelp32.h>
#include <x86intrin.h>

#include "platform/Handles.h"

namespace {

using CreateSnapshotCall = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkCall = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);

template <typename Call>
Call Kernel32Entry(const char* name) {
  return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

TickCounter g_tickCounter;

}  // namespace

std::vector<std::wstring> RunningProcessNames() {
  // Looked up at run time, as Tool Help is missing from some systems' kernel32.
  const auto createSnapshot = Kernel32Entry<CreateSnapshotCall>("CreateToolhelp32Snapshot");
  const auto first = Kernel32Entry<ProcessWalkCall>("Process32FirstW");
  const auto next = Kernel32Entry<ProcessWalkCall>("Process32NextW");
  std::vector<std::wstring> names;
  if (!createSnapshot || !first || !next) return names;
  ScopedHandle snapshot(createSnapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return names;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = first(snapshot.Get(), &entry); more; more = next(snapshot.Get(), &entry))
    names.emplace_back(entry.szExeFile);
  return names;
}

MEMORYSTATUSEX MemoryStatus() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  return status;
}

void SetTickCounter(TickCounter counter) { g_tickCounter = std::move(counter); }

std::uint64_t CountTicksOverHalfASecond() {
  if (g_tickCounter) return g_tickCounter();
  SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  Sleep(10);
  const std::uint64_t start = __rdtsc();
  Sleep(500);
  const std::uint64_t ticks = __rdtsc() - start;
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
  SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
  return ticks;
}

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}
