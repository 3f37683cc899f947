#include "tools/disk/AlertRules.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr wchar_t kBackspace = 8;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Copies the digits at text[i] to out; returns how many.
int CopyDigits(const std::wstring& text, size_t& i, std::string& out) {
  int count = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++count) out.push_back(static_cast<char>(text[i]));
  return count;
}

// The text in the C library's number syntax ("-12.5e3"), or nothing when it is no number.
std::optional<std::string> NormalisedNumber(const std::wstring& text, wchar_t decimalSeparator) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  std::string number;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) number.push_back(static_cast<char>(text[i++]));
  number.push_back('0');  // so that a lone separator reads as 0
  int digits = CopyDigits(text, i, number);
  bool separator = false;
  if (i < text.size() && text[i] == decimalSeparator) {
    separator = true;
    number.push_back('.');
    ++i;
    digits += CopyDigits(text, i, number);
  }
  if (digits == 0 && !separator) return std::nullopt;
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    number.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) number.push_back(static_cast<char>(text[i++]));
    if (CopyDigits(text, i, number) == 0) return std::nullopt;
  }
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return std::nullopt;
  return number;
}

}  // namespace

wchar_t FilterThresholdKey(wchar_t key, const std::wstring& currentText, wchar_t decimalSeparator) {
  if (key == kBackspace || IsDigit(key)) return key;
  if (key == decimalSeparator && currentText.find(decimalSeparator) == std::wstring::npos) return key;
  return 0;
}

std::optional<long double> ParseThreshold(const std::wstring& text, wchar_t decimalSeparator) {
  const auto number = NormalisedNumber(text, decimalSeparator);
  if (!number) return std::nullopt;
  // Correctly rounded, so a threshold written out exactly equals the free space it names.
  return std::strtold(number->c_str(), nullptr);
}

ArmingDecision DecideArming(const std::wstring& thresholdText, const std::wstring& driveText,
                            wchar_t decimalSeparator) {
  if (thresholdText.empty() || thresholdText[0] == L'.') return ArmingDecision::UntickSilently;
  const auto threshold = ParseThreshold(thresholdText, decimalSeparator);
  // Pasted text passes no key filter: infinity, a negative number or more than any drive holds would
  // arm an alert that never fires, or one whose notice is cut short.
  if (!threshold || !(*threshold >= 0 && *threshold <= kLargestThresholdGiB)) return ArmingDecision::RefuseNotANumber;
  if (driveText.empty()) return ArmingDecision::RefuseNoDrive;
  return ArmingDecision::Arm;
}

std::wstring TrimmedThreshold(const std::wstring& text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
  return first < last ? std::wstring(first, last) : std::wstring();
}

std::wstring LowSpaceNotice(wchar_t driveLetter, const std::wstring& thresholdText) {
  return L"Your hard drive " + std::wstring(1, driveLetter) + L" has space less than " + thresholdText +
         L" GB available!";
}

std::wstring LowSpaceArmedLine(wchar_t driveLetter, const std::wstring& thresholdText) {
  return L"Alert: " + std::wstring(1, driveLetter) + L": below " + thresholdText + L" GB";
}

bool LowSpaceRepeat::Check(std::int64_t nowMilliseconds, bool below) {
  if (!below) {
    Reset();
    return false;
  }
  const bool due = !lastNotice_ || nowMilliseconds - *lastNotice_ >= kRepeatMilliseconds;
  if (due) lastNotice_ = nowMilliseconds;
  return due;
}
