#include "utilities/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSignificantDigits = 18;

struct DecimalDigits {
  std::string digits;  // significant digits, no leading zeros unless the value is zero
  int pointPosition;   // number of digits before the decimal point (may be <= 0 or > digits.size())
};

DecimalDigits ToDecimalDigits(long double magnitude) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*Le", kSignificantDigits - 1, magnitude);
  DecimalDigits result{{}, 0};
  const char* p = text;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') result.digits.push_back(*p);
  const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
  result.pointPosition = exponent + 1;
  return result;
}

// Digits of the value rounded to two decimals, as an integer count of hundredths in decimal text.
std::string RoundToHundredths(const DecimalDigits& d) {
  const int kept = d.pointPosition + 2;  // digits that stay: integer part and two decimals
  if (kept < 0) return "0";
  std::string hundredths;
  for (int i = 0; i < kept; ++i) hundredths.push_back(i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0');
  const bool roundUp = kept < static_cast<int>(d.digits.size()) && d.digits[kept] >= '5';
  if (roundUp) {
    int i = static_cast<int>(hundredths.size()) - 1;
    for (; i >= 0 && hundredths[i] == '9'; --i) hundredths[i] = '0';
    if (i >= 0)
      ++hundredths[i];
    else
      hundredths.insert(hundredths.begin(), '1');
  }
  const auto firstNonZero = hundredths.find_first_not_of('0');
  return firstNonZero == std::string::npos ? "0" : hundredths.substr(firstNonZero);
}

std::wstring NonFiniteText(long double value) {
  if (std::isnan(value)) return L"NAN";
  return value < 0 ? L"-INF" : L"INF";
}

}  // namespace

std::wstring FormatFixed2(long double value, int minIntegerDigits, wchar_t decimalSeparator) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  std::string hundredths = RoundToHundredths(ToDecimalDigits(std::fabs(value)));
  const bool negative = value < 0 && hundredths != "0";
  const int minDigits = (minIntegerDigits < 1 ? 1 : minIntegerDigits) + 2;
  if (static_cast<int>(hundredths.size()) < minDigits) hundredths.insert(0, minDigits - hundredths.size(), '0');

  std::wstring text;
  if (negative) text.push_back(L'-');
  const size_t integerDigits = hundredths.size() - 2;
  for (size_t i = 0; i < hundredths.size(); ++i) {
    if (i == integerDigits) text.push_back(decimalSeparator);
    text.push_back(static_cast<wchar_t>(hundredths[i]));
  }
  return text;
}
