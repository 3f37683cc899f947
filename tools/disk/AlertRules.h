#pragma once
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

// "Your hard drive C has space less than 10.0 GB available!"
std::wstring LowSpaceNotice(wchar_t driveLetter, const std::wstring& thresholdText);
