#include "tools/shutdown/ShutdownTimeLine.h"

#include <gtest/gtest.h>

TEST(ShutdownTimeLine, NamesTheActionItsTimeAndWhatIsLeftAcrossMidnight) {
  const struct {
    bool reboot;
    int now, set;  // minutes of the day
    const wchar_t* line;
  } cases[] = {{false, 21 * 60 + 55, 23 * 60, L"Shutdown at 23:00 (in 1 h 5 min)"},
               {true, 21 * 60 + 55, 23 * 60, L"Reboot at 23:00 (in 1 h 5 min)"},
               {false, 23 * 60 + 30, 0, L"Shutdown at 00:00 (in 30 min)"},
               {false, 23 * 60 + 1, 23 * 60, L"Shutdown at 23:00 (in 23 h 59 min)"},
               {false, 22 * 60 + 50, 50, L"Shutdown at 00:50 (in 2 h)"},
               {false, 23 * 60, 23 * 60, L"Shutdown at 23:00 (in 24 h)"}};
  for (const auto& c : cases)
    EXPECT_EQ(ShutdownDueLine(c.reboot, c.set / 60, c.set % 60, MinutesUntil(c.now, c.set)), c.line);
  EXPECT_EQ(ShutdownDueLine(false, 23, 0, 0), L"Shutdown at 23:00 (now)");
  EXPECT_EQ(ShutdownPostponedLine(true, 0, 5), L"Reboot at 00:05 (postponed)");
  EXPECT_EQ(ShutdownTipLine(false, 23, 10, true), L"Shutdown: 23:10 (postponed)");
}
