#include "tools/disk/AlertRules.h"

#include <cmath>

namespace {

constexpr wchar_t kBackspace = 8;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Reads digits from text[i], adding them to value as the integer or fraction part; returns how many.
int ReadDigits(const std::wstring& text, size_t& i, long double& value, long double& scale) {
  int count = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++count) {
    if (scale == 0) {
      value = value * 10 + (text[i] - L'0');
    } else {
      value += (text[i] - L'0') * scale;
      scale /= 10;
    }
  }
  return count;
}

bool ReadExponent(const std::wstring& text, size_t& i, int& exponent) {
  if (i >= text.size() || (text[i] != L'e' && text[i] != L'E')) return true;
  ++i;
  int sign = 1;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) sign = text[i++] == L'-' ? -1 : 1;
  if (i >= text.size() || !IsDigit(text[i])) return false;
  int value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i)
    if (value < 100000) value = value * 10 + (text[i] - L'0');
  exponent = sign * value;
  return true;
}

}  // namespace

wchar_t FilterThresholdKey(wchar_t key, const std::wstring& currentText, wchar_t decimalSeparator) {
  if (key == kBackspace || IsDigit(key)) return key;
  if (key == decimalSeparator && currentText.find(decimalSeparator) == std::wstring::npos) return key;
  return 0;
}

std::optional<long double> ParseThreshold(const std::wstring& text, wchar_t decimalSeparator) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  long double sign = 1;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) sign = text[i++] == L'-' ? -1 : 1;
  long double value = 0, scale = 0;
  int digits = ReadDigits(text, i, value, scale);
  bool separator = false;
  if (i < text.size() && text[i] == decimalSeparator) {
    separator = true;
    ++i;
    scale = 0.1L;
    digits += ReadDigits(text, i, value, scale);
  }
  if (digits == 0 && !separator) return std::nullopt;
  int exponent = 0;
  if (!ReadExponent(text, i, exponent)) return std::nullopt;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return std::nullopt;
  return sign * value * std::pow(10.0L, exponent);
}

ArmingDecision DecideArming(const std::wstring& thresholdText, const std::wstring& driveText,
                            wchar_t decimalSeparator) {
  if (thresholdText.empty() || thresholdText[0] == L'.') return ArmingDecision::UntickSilently;
  if (!ParseThreshold(thresholdText, decimalSeparator)) return ArmingDecision::RefuseNotANumber;
  if (driveText.empty()) return ArmingDecision::RefuseNoDrive;
  return ArmingDecision::Arm;
}

std::wstring LowSpaceNotice(wchar_t driveLetter, const std::wstring& thresholdText) {
  return L"Your hard drive " + std::wstring(1, driveLetter) + L" has space less than " + thresholdText +
         L" GB available!";
}
