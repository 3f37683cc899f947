#pragma once
#include <cstdint>
#include <string>

// Figures of the drive details: bytes to gibibytes, the free share, and the label texts.

// Bytes divided three times by 1024 in extended precision; -1 (a failed query) gives a tiny negative.
long double ToGibibytes(std::int64_t bytes);
// 100 - ((total - free) / total) * 100, rounded to the nearest whole number, ties to even.
long long FreePercent(long double freeGiB, long double totalGiB);

std::wstring FreeSpaceText(long double freeGiB, long double totalGiB, wchar_t decimalSeparator);
std::wstring SpaceUsedText(long double freeGiB, long double totalGiB, wchar_t decimalSeparator);
std::wstring DriveSizeText(long double totalGiB, wchar_t decimalSeparator);
// "1A2B:3C4D": high half, colon, low half, four upper-case hexadecimal digits each.
std::wstring VolumeSerialText(std::uint32_t serial);

// A drive's number is its letter's code minus 64 as an unsigned 8-bit value ("C" 3, "c" 35), and its
// root is the character of code number + 64 with ":\" ("c" thus gives "c:\", drive C).
std::uint8_t DriveNumber(wchar_t letter);
std::wstring RootOfDriveNumber(std::uint8_t number);
