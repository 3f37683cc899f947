#include "tools/shutdown/ShutdownTimeLine.h"

#include "utilities/TrayTip.h"

namespace {

constexpr int kMinutesPerDay = 24 * 60;

std::wstring ActionName(bool reboot) { return reboot ? L"Reboot" : L"Shutdown"; }

std::wstring ActionAt(bool reboot, int hour, int minute) {
  return ActionName(reboot) + L" at " + ClockTime(hour, minute);
}

// "1 h 5 min", "2 h", "45 min".
std::wstring Duration(int minutes) {
  const int hours = minutes / 60, rest = minutes % 60;
  if (hours == 0) return std::to_wstring(rest) + L" min";
  const std::wstring whole = std::to_wstring(hours) + L" h";
  return rest == 0 ? whole : whole + L" " + std::to_wstring(rest) + L" min";
}

}  // namespace

int MinutesUntil(int nowMinuteOfDay, int setMinuteOfDay) {
  const int ahead = ((setMinuteOfDay - nowMinuteOfDay) % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay;
  return ahead == 0 ? kMinutesPerDay : ahead;
}

std::wstring ShutdownDueLine(bool reboot, int hour, int minute, int minutesLeft) {
  const std::wstring when = minutesLeft == 0 ? L"now" : L"in " + Duration(minutesLeft);
  return ActionAt(reboot, hour, minute) + L" (" + when + L")";
}

std::wstring ShutdownPostponedLine(bool reboot, int hour, int minute) {
  return ActionAt(reboot, hour, minute) + L" (postponed)";
}

std::wstring ShutdownTipLine(bool reboot, int hour, int minute, bool postponed) {
  const std::wstring line = ArmedAtLine(ActionName(reboot), hour, minute);
  return postponed ? line + L" (postponed)" : line;
}
