#include "tools/disk/DriveFigures.h"

#include <cmath>
#include <cwchar>

#include "utilities/NumberFormat.h"

long double ToGibibytes(std::int64_t bytes) { return static_cast<long double>(bytes) / 1024 / 1024 / 1024; }

long long FreePercent(long double freeGiB, long double totalGiB) {
  const long double percent = 100 - ((totalGiB - freeGiB) / totalGiB) * 100;
  // A drive reporting no size at all has no share to show.
  if (!std::isfinite(percent)) return 0;
  return std::llrint(percent);  // the default rounding mode: to nearest, ties to even
}

std::wstring FreeSpaceText(long double freeGiB, long double totalGiB, wchar_t decimalSeparator) {
  return L"Free Space: " + FormatFixed2(freeGiB, 1, decimalSeparator) + L" GB (" +
         std::to_wstring(FreePercent(freeGiB, totalGiB)) + L"%)";
}

std::wstring SpaceUsedText(long double freeGiB, long double totalGiB, wchar_t decimalSeparator) {
  return L"Space Used: " + FormatFixed2(totalGiB - freeGiB, 1, decimalSeparator) + L" GB";
}

std::wstring DriveSizeText(long double totalGiB, wchar_t decimalSeparator) {
  return L"Size of the fixed drive: " + FormatFixed2(totalGiB, 1, decimalSeparator) + L" GB";
}

std::wstring VolumeSerialText(std::uint32_t serial) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%.4X:%.4X", static_cast<unsigned>(serial >> 16), static_cast<unsigned>(serial & 0xFFFF));
  return text;
}

std::uint8_t DriveNumber(wchar_t letter) { return static_cast<std::uint8_t>(letter - 64); }

std::wstring RootOfDriveNumber(std::uint8_t number) {
  return std::wstring(1, static_cast<wchar_t>(number + 64)) + L":\\";
}
