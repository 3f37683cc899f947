#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The low-space alert's input rules and notice, apart from the controls.

// The threshold edit takes digits, backspace and one decimal separator; returns the key to keep, or 0
// to discard it.
wchar_t FilterThresholdKey(wchar_t key, const std::wstring& currentText, wchar_t decimalSeparator);

// The threshold text as a number of gibibytes, read the way the locale writes numbers: optional
// blanks, an optional sign, digits with at most one decimal separator (a lone separator counts as 0),
// an optional exponent. Nothing for any other text.
std::optional<long double> ParseThreshold(const std::wstring& text, wchar_t decimalSeparator);

// The largest threshold taken: the most a drive can report, 2^64 bytes.
constexpr long double kLargestThresholdGiB = 17179869184.0L;

enum class ArmingDecision {
  Arm,
  UntickSilently,    // empty threshold, or one that begins with "."
  RefuseNotANumber,  // say so: the periodic check could never read it, or it is out of range
  RefuseNoDrive,     // say so: there is no drive letter to watch
};
ArmingDecision DecideArming(const std::wstring& thresholdText, const std::wstring& driveText, wchar_t decimalSeparator);

// Strictly less free space than the threshold: equal is enough.
inline bool IsBelowThreshold(long double freeGiB, long double threshold) { return threshold > freeGiB; }

// The threshold as the settings file gave it back, without the blanks around it, which the notices
// would show.
std::wstring TrimmedThreshold(const std::wstring& text);

// "C:", a drive as the alert's drive box shows it.
inline std::wstring DriveText(wchar_t driveLetter) { return std::wstring(1, driveLetter) + L":"; }

// "Your hard drive C has space less than 10.0 GB available!"
std::wstring LowSpaceNotice(wchar_t driveLetter, const std::wstring& thresholdText);

// "Alert: C: below 10.0 GB": the armed alert's line in the tray icon's tip.
std::wstring LowSpaceArmedLine(wchar_t driveLetter, const std::wstring& thresholdText);

// Spaces the notices of an armed alert: the first check that finds the drive below the threshold
// notices at once, later ones at most once every 10 minutes while it stays below, and a check that
// finds it above starts afresh, so that the next fall notices at once. A notification centre keeps
// every notice, so one each check would fill it with copies.
class LowSpaceRepeat {
 public:
  static constexpr std::int64_t kRepeatMilliseconds = 10 * 60 * 1000;
  // The check at `nowMilliseconds` on a steady clock, one that a change of the time of day never
  // moves; true when it shows the notice.
  bool Check(std::int64_t nowMilliseconds, bool below);
  // Arming starts afresh.
  void Reset() { lastNotice_.reset(); }

 private:
  std::optional<std::int64_t> lastNotice_;
};
