// Main of the test programs that run under Wine, all cases in one process. Nothing may wait for a person
// or reach outside the test (see InstallTestGuards). At the end the main leaves a mark for the runner
// script, which tells a finished run from one that never started.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/Boxes.h"
#include "platform/FileDialogs.h"
#include "tests/support/UiTestSupport.h"

namespace {

void LeaveFinishedMark(int result) {
  const char* path = std::getenv("QUOXEL_TEST_SENTINEL");
  if (!path || !*path) return;
  if (std::FILE* mark = std::fopen(path, "w")) {
    std::fprintf(mark, "finished %d\n", result);
    std::fclose(mark);
  }
}

// A window that ends asks its thread to quit; left in the queue, that request would end the next test's
// boxes at once. So each test ends with the thread's messages delivered and the request dropped.
class MessageDrain : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override { PumpMessages(); }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  InstallTestGuards();
  testing::UnitTest::GetInstance()->listeners().Append(new MessageDrain);
  const int result = RUN_ALL_TESTS();
  LeaveFinishedMark(result);
  return result;
}
