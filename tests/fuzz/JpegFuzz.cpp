// Coverage-guided fuzzing of the JPEG-to-bitmap conversion: any bytes either give a whole bitmap file or
// are refused with JpegError, PictureTooLarge or TooManyScans.
#include "tests/fuzz/ConversionFuzz.h"
#include "tools/wallpaper/JpegToBitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    ConvertWholeOrAbort<JpegToBitmap>(data, size);
  } catch (const JpegError&) {
  } catch (const PictureTooLarge&) {
  } catch (const TooManyScans&) {
  }
  return 0;
}
