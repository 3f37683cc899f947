#include "utilities/BitmapFile.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

void Put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint64_t value) {
  Put16(out, static_cast<std::uint32_t>(value & 0xFFFF));
  Put16(out, static_cast<std::uint32_t>((value >> 16) & 0xFFFF));
}

}  // namespace

std::optional<BitmapLayout> PlanBitmapFile(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
                                           std::uint32_t colours, std::uint64_t limit) {
  BitmapLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bitsPerPixel = bitsPerPixel;
  layout.colours = colours;
  layout.rowBytes = std::uint64_t{width} * bitsPerPixel / 8;
  layout.stride = (layout.rowBytes + 3) & ~std::uint64_t{3};
  layout.pixelOffset = kFileHeaderSize + kInfoHeaderSize + std::uint64_t{4} * colours;
  // Divided rather than multiplied: stride × height may not fit even in 64 bits.
  if (width == 0 || height == 0 || layout.pixelOffset > limit || layout.stride > (limit - layout.pixelOffset) / height)
    return std::nullopt;
  layout.fileSize = layout.pixelOffset + layout.stride * height;
  return layout;
}

std::string BitmapHeaderBytes(const BitmapLayout& layout, const std::vector<std::uint8_t>& paletteRgb) {
  std::string out;
  out.reserve(layout.pixelOffset);
  out += "BM";
  Put32(out, layout.fileSize);
  Put32(out, 0);  // reserved
  Put32(out, layout.pixelOffset);
  Put32(out, kInfoHeaderSize);
  Put32(out, layout.width);
  Put32(out, layout.height);  // positive: the rows are stored bottom up
  Put16(out, 1);              // planes
  Put16(out, layout.bitsPerPixel);
  Put32(out, 0);  // BI_RGB, uncompressed
  Put32(out, layout.fileSize - layout.pixelOffset);
  Put32(out, 0);  // no resolution given
  Put32(out, 0);
  Put32(out, layout.colours);
  Put32(out, 0);  // all colours important
  for (std::uint32_t i = 0; i < layout.colours; ++i) {
    out.push_back(static_cast<char>(paletteRgb[3 * i + 2]));
    out.push_back(static_cast<char>(paletteRgb[3 * i + 1]));
    out.push_back(static_cast<char>(paletteRgb[3 * i]));
    out.push_back('\0');
  }
  return out;
}
