// Coverage-guided fuzzing of the Exif date reader: any bytes give nothing or a date whose every field
// is in its range, and no read outside them (AddressSanitizer watches the input's exact size).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tools/renamer/ExifDate.h"

namespace {

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (const std::optional<PhotoDate> date = ExifDateTaken(data, size)) {
    const bool valid = InRange(date->year, 1, 9999) && InRange(date->month, 1, 12) && InRange(date->day, 1, 31) &&
                       InRange(date->hour, 0, 23) && InRange(date->minute, 0, 59) && InRange(date->second, 0, 59);
    if (!valid) std::abort();
  }
  return 0;
}
