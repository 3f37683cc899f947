#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A decoded picture, ready to be written as an uncompressed Windows bitmap file.
struct RasterPicture {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 24;              // 24: blue, green, red per pixel; 8: an index into the palette
  std::vector<std::uint8_t> palette;  // 8 bits only: red, green, blue of each colour in turn
  std::vector<std::uint8_t> pixels;   // top row first, rows without padding
};

// The bytes of the BMP file: file header, info header, palette, then the rows bottom up, each padded
// to a multiple of four bytes.
std::string BitmapFileBytes(const RasterPicture& picture);
