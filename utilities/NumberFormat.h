#pragma once
#include <string>

// Formats a value like the number patterns "0.00" and "0000.00": at least minIntegerDigits digits
// before the separator, exactly two after, halves rounded away from zero, no grouping, and no minus
// sign on a value that rounds to zero. The value is first taken to 18 significant decimal digits (the
// precision of the 80-bit extended type), so an extended 1.005 rounds as written, to 1.01.
std::wstring FormatFixed2(long double value, int minIntegerDigits, wchar_t decimalSeparator);
