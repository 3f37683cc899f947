#include "utilities/LargestFiles.h"

#include <array>

#include "utilities/NumberFormat.h"

std::int8_t LargestFilesCount = 5;

namespace {

std::array<t_SLF, kLargestFilesCapacity + 1> LargestFiles;        // position 0 unused
std::array<t_SLF, kLargestFilesCapacity + 1> SortedLargestFiles;  // position 0 unused

int Count() { return LargestFilesCount > kLargestFilesCapacity ? kLargestFilesCapacity : LargestFilesCount; }

}  // namespace

void ResetLargestFiles() {
  LargestFilesCount = 5;
  LargestFiles.fill(t_SLF{});
  SortedLargestFiles.fill(t_SLF{});
}

t_SLF MakeFileEntry(const std::wstring& path, std::int64_t size) { return t_SLF{path, size}; }

// The entry a file of this size takes: a free one, else the smallest kept file's when strictly larger;
// 0 when none.
int EntryForLargestFile(std::int64_t size) {
  for (int i = 1; i <= Count(); ++i)
    if (LargestFiles[i].path.empty()) return i;
  const int smallest = IndexOfSmallestFile();
  return LargestFiles[smallest].size < size ? smallest : 0;
}

void AddLargestFile(const std::wstring& path, std::int64_t size) {
  if (const int entry = EntryForLargestFile(size)) LargestFiles[entry] = MakeFileEntry(path, size);
}

bool WouldKeepLargestFile(std::int64_t size) { return EntryForLargestFile(size) != 0; }

int IndexOfLargestFile() {
  std::int64_t best = 0;
  int result = 1;
  for (int i = 1; i <= Count(); ++i) {
    if (LargestFiles[i].size >= best) {
      best = LargestFiles[i].size;
      result = i;
    }
  }
  return result;
}

int IndexOfSmallestFile() {
  std::int64_t smallest = LargestFiles[IndexOfLargestFile()].size;
  int result = 1;
  for (int i = 1; i <= Count(); ++i) {
    if (LargestFiles[i].size < smallest) {
      smallest = LargestFiles[i].size;
      result = i;
    }
  }
  return result;
}

void SortLargestFiles() {
  std::array<bool, kLargestFilesCapacity + 1> copied{};
  for (int j = 1; j <= Count(); ++j) {
    int pick = 0;
    for (int i = 1; i <= Count(); ++i)
      if (!copied[i] && (pick == 0 || LargestFiles[i].size >= LargestFiles[pick].size)) pick = i;
    copied[pick] = true;
    SortedLargestFiles[j] = LargestFiles[pick];
  }
}

std::wstring FormatFileSize(int position, wchar_t decimalSeparator) {
  return FileSizeText(SortedLargestFiles[position].size, decimalSeparator);
}

std::wstring FileSizeText(std::int64_t bytes, wchar_t decimalSeparator) {
  long double value = static_cast<long double>(bytes) / 1024 / 1024 / 1024;
  const wchar_t* unit = L" GB";
  if (!(value >= 1)) {
    value *= 1024;
    unit = L" MB";
  }
  if (!(value >= 1)) {
    value *= 1024;
    unit = L" kB";
  }
  return FormatFixed2(value, 1, decimalSeparator) + unit;
}

const t_SLF& LargestFile(int position) { return LargestFiles[position]; }
const t_SLF& SortedLargestFile(int position) { return SortedLargestFiles[position]; }
