#include "utilities/BitmapFile.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

void Put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

std::string BitmapFileBytes(const RasterPicture& picture) {
  const std::uint32_t width = static_cast<std::uint32_t>(picture.width);
  const std::uint32_t height = static_cast<std::uint32_t>(picture.height);
  const std::uint32_t rowBytes = width * static_cast<std::uint32_t>(picture.bitsPerPixel) / 8;
  const std::uint32_t stride = (rowBytes + 3) & ~3u;
  const std::uint32_t colours = static_cast<std::uint32_t>(picture.palette.size() / 3);
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
  std::string out;
  out.reserve(pixelOffset + stride * height);
  out += "BM";
  Put32(out, pixelOffset + stride * height);
  Put32(out, 0);  // reserved
  Put32(out, pixelOffset);
  Put32(out, kInfoHeaderSize);
  Put32(out, width);
  Put32(out, height);  // positive: the rows are stored bottom up
  Put16(out, 1);       // planes
  Put16(out, static_cast<std::uint32_t>(picture.bitsPerPixel));
  Put32(out, 0);  // BI_RGB, uncompressed
  Put32(out, stride * height);
  Put32(out, 0);  // no resolution given
  Put32(out, 0);
  Put32(out, colours);
  Put32(out, 0);  // all colours important
  for (std::uint32_t i = 0; i < colours; ++i) {
    out.push_back(static_cast<char>(picture.palette[3 * i + 2]));
    out.push_back(static_cast<char>(picture.palette[3 * i + 1]));
    out.push_back(static_cast<char>(picture.palette[3 * i]));
    out.push_back('\0');
  }
  for (std::uint32_t row = height; row-- > 0;) {
    const auto* start = picture.pixels.data() + static_cast<size_t>(row) * rowBytes;
    out.append(reinterpret_cast<const char*>(start), rowBytes);
    out.append(stride - rowBytes, '\0');
  }
  return out;
}
