#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The largest bitmap file the program writes: a picture beyond it could not be shown as a wallpaper
// in a 32-bit process anyway, and its size must never be trusted from a file's header alone.
constexpr std::uint64_t kBitmapFileLimit = std::uint64_t{1} << 30;

// Where everything lies in an uncompressed Windows bitmap file: file header, info header, palette,
// then the rows bottom up, each padded to a multiple of four bytes. All in 64 bits, so that no size
// wraps before it is checked.
struct BitmapLayout {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitsPerPixel = 24;  // 24: blue, green, red per pixel; 8: an index into the palette
  std::uint32_t colours = 0;        // palette entries, 8 bits only
  std::uint64_t rowBytes = 0;       // the pixels of one row
  std::uint64_t stride = 0;         // a row with its padding
  std::uint64_t pixelOffset = 0;    // where the bottom row starts
  std::uint64_t fileSize = 0;

  // Where row `y` of the picture, counted from the top, starts in the file.
  std::uint64_t RowOffset(std::uint32_t y) const { return pixelOffset + std::uint64_t{height - 1 - y} * stride; }
};

// The layout of a bitmap of that size, or nothing when the picture is empty or its file would be
// larger than `limit` bytes (at most kBitmapFileLimit: the header's fields are 32 bits).
std::optional<BitmapLayout> PlanBitmapFile(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
                                           std::uint32_t colours, std::uint64_t limit = kBitmapFileLimit);

// The bytes before the first row: the headers and the palette, given as red, green, blue of each of
// `layout.colours` colours in turn.
std::string BitmapHeaderBytes(const BitmapLayout& layout, const std::vector<std::uint8_t>& paletteRgb);
