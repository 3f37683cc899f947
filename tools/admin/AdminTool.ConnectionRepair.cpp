// "PC Administrating" page: the repair of the internet connection, three console commands started
// one after another with fixed waits between them.
#include "tools/admin/AdminTool.h"

#include "platform/Clock.h"
#include "platform/Shell.h"
#include "ui/Handlers.h"
#include "ui/WaitCursor.h"

namespace {

struct RepairStep {
  const wchar_t* caption;
  const wchar_t* parameters;
  DWORD wait;
  bool answerFirst;  // handle the waiting messages first, which paints the caption
};

constexpr RepairStep kRepairSteps[] = {
    {L"Flushing DNS", L"/c ipconfig /flushdns", 1000, false},
    {L"Configuring...", L"/c ipconfig /release", 4000, true},
    {L"Fetching ip...", L"/c ipconfig /renew", 4000, true},
};

}  // namespace

void AdminTool::BtnFIClick() {
  if (repairing_) return;  // a press handled while the steps answer messages
  const RunningFlag running(repairing_);
  RunRepairSteps();
}

void AdminTool::RunRepairSteps() {
  const LongWork longWork(host_);  // a close meanwhile ends the program once the steps have stopped
  const WaitCursor hourglass;
  const std::wstring interpreter = CommandInterpreter();  // 64-bit Windows has no command.com
  for (const RepairStep& step : kRepairSteps) {
    SetWindowTextW(BtnFI, step.caption);
    if (step.answerFirst) {
      ProcessPendingMessages(host_.Window());
      if (host_.EndRequested()) break;
    }
    StartProgram(host_.Window(), interpreter, step.parameters, SW_SHOW);
    Pause(step.wait);
  }
  SetWindowTextW(BtnFI, L"Quoxel can try to fix it");
}
