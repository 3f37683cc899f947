#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The characters the tray icon's tip holds, its ending NUL apart.
constexpr std::size_t kTrayTipLength = 127;

// A time of day as a clock shows it: "07:30".
std::wstring ClockTime(int hour, int minute);

// An armed tool's line for its time of day: "Alarm: 07:30".
std::wstring ArmedAtLine(const std::wstring& name, int hour, int minute);

// The tray icon's tip: "Quoxel", then one line per armed tool, cut to what the tip holds.
std::wstring TrayTip(const std::vector<std::wstring>& armedLines);
