// Coverage-guided fuzzing of the PNG-to-bitmap conversion: any bytes either give a whole bitmap file,
// every write inside the planned file and all of them together exactly its size, or are refused with
// PngError or PictureTooLarge. The bitmaps are kept small so that libFuzzer's memory limit holds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tools/wallpaper/PngToBitmap.h"

namespace {

constexpr std::uint64_t kFuzzBitmapLimit = 64 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::size_t at = 0;
  const PictureReader read = [&](std::uint8_t* buffer, std::size_t wanted) {
    const std::size_t count = std::min(wanted, size - at);
    std::memcpy(buffer, data + at, count);
    at += count;
    return count;
  };
  try {
    PngToBitmap converter(read, kFuzzBitmapLimit);
    const std::uint64_t fileSize = converter.Layout().fileSize;
    std::uint64_t written = 0;
    std::vector<std::uint8_t> copy;  // taken as a file takes it: every byte must be readable
    converter.WriteBitmap([&](std::uint64_t offset, const std::uint8_t* bytes, std::size_t count) {
      if (offset > fileSize || count > fileSize - offset) std::abort();
      copy.assign(bytes, bytes + count);
      written += count;
    });
    if (written != fileSize) std::abort();
  } catch (const PngError&) {
  } catch (const PictureTooLarge&) {
  }
  return 0;
}
