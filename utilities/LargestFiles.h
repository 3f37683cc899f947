#pragma once
#include <cstdint>
#include <string>

// The table of the largest files met during a search: a fixed table of 20 entries of which the first
// N (LargestFilesCount) are in use, and the same entries in output order after SortLargestFiles.
// Positions are 1-based, as the table's rules are stated that way.

struct t_SLF {
  std::wstring path;  // empty: a free entry
  std::int64_t size = 0;
};

constexpr int kLargestFilesCapacity = 20;
// The counts the count box offers, from the fewest to the table's capacity.
constexpr int kFewestLargestFiles = 5;

// Positions in use, 5 after a reset; a search sets it from the count box (4 to 20).
extern std::int8_t LargestFilesCount;

// N := 5; every entry of both tables empty with size 0.
void ResetLargestFiles();
// Offers one file: it takes a free entry, else replaces the smallest kept file if strictly larger.
void AddLargestFile(const std::wstring& path, std::int64_t size);
// Whether AddLargestFile would keep a file of this size, so that a search makes only those files' paths.
bool WouldKeepLargestFile(std::int64_t size);
// Largest entry among 1..N, the last among equal sizes; 1 when N <= 0.
int IndexOfLargestFile();
// Smallest entry among 1..N, the first among equal sizes.
int IndexOfSmallestFile();
t_SLF MakeFileEntry(const std::wstring& path, std::int64_t size);
// Fills the sorted table's positions 1..N: largest first, the higher position first among equals.
void SortLargestFiles();
// Size of sorted entry `position` as FileSizeText gives it.
std::wstring FormatFileSize(int position, wchar_t decimalSeparator);
// A byte count in GB, MB or kB with two decimals ("1.00 GB", "0.50 kB"): GB from 1 GiB on, MB from
// 1 MiB on, kB below (0 bytes too).
std::wstring FileSizeText(std::int64_t bytes, wchar_t decimalSeparator);

const t_SLF& LargestFile(int position);
const t_SLF& SortedLargestFile(int position);
