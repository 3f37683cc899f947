#pragma once
#include <windows.h>

#include "ui/Handlers.h"
#include "ui/Tool.h"

// Answers the window's messages until work running on other threads has ended, stops it when the user
// ends the program or the Windows session, and shows its progress at the start and then every
// `progressIntervalMs`. `Work` has Ended() and Stop().
template <typename Work, typename ShowProgress>
void AnswerUntilEnded(ToolHost& host, Work& work, DWORD progressIntervalMs, ShowProgress showProgress) {
  constexpr DWORD kAnswerIntervalMs = 10;
  showProgress();
  DWORD lastProgress = GetTickCount();
  while (!work.Ended()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kAnswerIntervalMs, QS_ALLINPUT);
    ProcessPendingMessages(host.Window());
    if (host.EndRequested()) work.Stop();
    if (GetTickCount() - lastProgress >= progressIntervalMs) {
      showProgress();
      lastProgress = GetTickCount();
    }
  }
}
