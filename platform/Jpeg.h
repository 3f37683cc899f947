#pragma once
#include <string>

#include "utilities/BitmapFile.h"

// Decodes a JPEG file at full size with libjpeg's best-quality settings: 24 bits per pixel, or, for a
// greyscale picture, 8 bits with libjpeg's one-pass quantization to 236 grey levels.
// Throws AppError "Cannot open file ..." when the file cannot be read and "JPEG error #n" (libjpeg's
// message number) when it cannot be decoded.
RasterPicture DecodeJpegFile(const std::wstring& path);
