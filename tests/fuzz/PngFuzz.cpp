// Coverage-guided fuzzing of the PNG-to-bitmap conversion: any bytes either give a whole bitmap file or
// are refused with PngError or PictureTooLarge.
#include "tests/fuzz/ConversionFuzz.h"
#include "tools/wallpaper/PngToBitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    ConvertWholeOrAbort<PngToBitmap>(data, size);
  } catch (const PngError&) {
  } catch (const PictureTooLarge&) {
  }
  return 0;
}
