#include "utilities/TrayTip.h"

namespace {

// Two digits, as a clock shows hours and minutes.
std::wstring TwoDigits(int number) {
  return {static_cast<wchar_t>(L'0' + number / 10), static_cast<wchar_t>(L'0' + number % 10)};
}

}  // namespace

std::wstring ClockTime(int hour, int minute) { return TwoDigits(hour) + L":" + TwoDigits(minute); }

std::wstring ArmedAtLine(const std::wstring& name, int hour, int minute) { return name + L": " + ClockTime(hour, minute); }

std::wstring TrayTip(const std::vector<std::wstring>& armedLines) {
  std::wstring tip = L"Quoxel";
  for (const std::wstring& line : armedLines) tip += L"\n" + line;
  if (tip.size() > kTrayTipLength) tip.resize(kTrayTipLength);
  return tip;
}
