#pragma once
// What the picture-to-bitmap fuzz targets share: the converter reads the input as a file is read, and
// the bitmap it writes must be whole, every write inside the planned file and all of them together
// exactly its size; anything else aborts. The bitmaps are kept small so that libFuzzer's memory limit
// holds. The converter's own refusals are the caller's to catch.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

constexpr std::uint64_t kFuzzBitmapLimit = 64 << 20;

template <typename Converter>
void ConvertWholeOrAbort(const std::uint8_t* data, std::size_t size) {
  std::size_t at = 0;
  Converter converter(
      [&](std::uint8_t* buffer, std::size_t wanted) {
        const std::size_t count = std::min(wanted, size - at);
        std::memcpy(buffer, data + at, count);
        at += count;
        return count;
      },
      kFuzzBitmapLimit);
  const std::uint64_t fileSize = converter.Layout().fileSize;
  std::uint64_t written = 0;
  std::vector<std::uint8_t> copy;  // taken as a file takes it: every byte must be readable
  converter.WriteBitmap([&](std::uint64_t offset, const std::uint8_t* bytes, std::size_t count) {
    if (offset > fileSize || count > fileSize - offset) std::abort();
    copy.assign(bytes, bytes + count);
    written += count;
  });
  if (written != fileSize) std::abort();
}
