#include "platform/Shutdown.h"

#include "platform/Handles.h"

namespace {

ExitWindowsTaker g_taker;

bool IsNtFamily() { return (GetVersion() & 0x80000000u) == 0; }

void EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
  const ScopedHandle ownedToken(token);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return;
  TOKEN_PRIVILEGES previous{};
  DWORD previousLength = 0;
  AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, &previous, &previousLength);
}

}  // namespace

void SetExitWindowsTaker(ExitWindowsTaker taker) { g_taker = std::move(taker); }

bool ShutdownWindows(UINT flags) {
  if (g_taker) return g_taker(flags, true);
  if (IsNtFamily()) EnableShutdownPrivilege();
  return ExitWindowsEx(flags, 0) != 0;
}

bool RequestExitWindows(UINT flags) {
  if (g_taker) return g_taker(flags, false);
  return ExitWindowsEx(flags, 0) != 0;
}
