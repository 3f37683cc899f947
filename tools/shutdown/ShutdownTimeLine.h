#pragma once
#include <string>

// Minutes from now's minute of the day to the set one, 1 to 1440: a set minute that has already begun
// comes again the next day.
int MinutesUntil(int nowMinuteOfDay, int setMinuteOfDay);

// The page's line while armed: "Shutdown at 23:00 (in 1 h 5 min)", "(now)" while the warning counts.
std::wstring ShutdownDueLine(bool reboot, int hour, int minute, int minutesLeft);
// The page's line after a postponement, with the time it was put off to: "Shutdown at 23:10 (postponed)".
std::wstring ShutdownPostponedLine(bool reboot, int hour, int minute);
// The tray tip's line: "Shutdown: 23:00", or "Shutdown: 23:10 (postponed)".
std::wstring ShutdownTipLine(bool reboot, int hour, int minute, bool postponed);
