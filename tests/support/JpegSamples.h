// JPEGs made by libjpeg for the tests, and the pixels djpeg's bitmap writer makes of them, decoded by
// the same libjpeg without the code under test.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include <jpeglib.h>

// Every pixel differs from its neighbours, so that a row or a channel out of place shows.
// Components: 1 grey, 3 red, green, blue, 4 CMYK. The APP1 segments given follow the start (and the
// JFIF segment, when it is written).
inline std::string MakeJpeg(int width, int height, int components, bool progressive = false, int restartRows = 0,
                            bool arithmetic = false, const std::vector<std::string>& app1Segments = {},
                            bool jfif = true) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  jpeg_mem_dest(&info, &buffer, &length);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&info);
  if (progressive) jpeg_simple_progression(&info);
  info.restart_in_rows = restartRows;
  info.arith_code = arithmetic;
  info.write_JFIF_header = jfif;
  jpeg_start_compress(&info, TRUE);
  for (const std::string& segment : app1Segments)
    jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(segment.data()),
                      static_cast<unsigned>(segment.size()));
  std::vector<JSAMPLE> row(static_cast<size_t>(width * components));
  for (JSAMPROW line = row.data(); info.next_scanline < info.image_height; jpeg_write_scanlines(&info, &line, 1))
    for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<JSAMPLE>(37 * i + 91 * info.next_scanline);
  jpeg_finish_compress(&info);
  const std::string bytes(reinterpret_cast<char*>(buffer), length);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

// A bitmap's pixels: each row top first without its padding, blue, green, red or palette indices,
// and the palette's grey levels.
struct Pixels {
  std::vector<std::string> rows;
  std::string greys;
  bool operator==(const Pixels& other) const { return rows == other.rows && greys == other.greys; }
};

// djpeg's pixels: for grey, quantized as `djpeg -colors 236 -onepass`; CMYK combined in doubles as
// its cmyk_to_rgb does.
inline Pixels DecodeAsDjpeg(const std::string& jpeg) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&info, TRUE);
  info.quantize_colors = info.num_components == 1;
  info.two_pass_quantize = FALSE;
  info.desired_number_of_colors = 236;
  info.out_color_space = info.num_components == 1 ? JCS_GRAYSCALE : info.num_components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  Pixels pixels;
  std::string line(static_cast<size_t>(info.output_width) * info.output_components, '\0');
  for (auto out = reinterpret_cast<JSAMPROW>(line.data()); info.output_scanline < info.output_height;) {
    jpeg_read_scanlines(&info, &out, 1);
    std::string& row = pixels.rows.emplace_back();
    for (const JSAMPLE* p = out; p < out + line.size(); p += info.output_components) {
      if (info.output_components == 1) row += static_cast<char>(p[0]);
      if (info.output_components == 3)
        row += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0])};
      if (info.output_components == 4)
        for (int ink : {2, 1, 0})
          row += static_cast<char>(static_cast<std::uint8_t>(static_cast<double>(p[ink]) * p[3] / 255.0 + 0.5));
    }
  }
  for (int i = 0; info.quantize_colors && i < info.actual_number_of_colors; ++i)
    pixels.greys += static_cast<char>(info.colormap[0][i]);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return pixels;
}

inline std::uint32_t Field(const std::string& bytes, size_t offset, size_t size) {
  std::uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
  return value;
}

inline Pixels PixelsOfBitmap(const std::string& bitmap) {
  const std::uint32_t offset = Field(bitmap, 10, 4), width = Field(bitmap, 18, 4), height = Field(bitmap, 22, 4);
  const std::uint32_t rowBytes = width * Field(bitmap, 28, 2) / 8, stride = (rowBytes + 3) & ~3u;
  Pixels pixels;
  for (std::uint32_t i = 0; i < Field(bitmap, 46, 4); ++i) pixels.greys += bitmap[54 + 4 * i];
  for (std::uint32_t y = height; y-- > 0 && offset + (y + 1) * stride <= bitmap.size();)
    pixels.rows.push_back(bitmap.substr(offset + y * stride, rowBytes));
  return pixels;
}

// The JPEG with another size in its frame header (FF C0, C1 or C2: length, precision, height, width):
// a small file that claims a large picture.
inline std::string WithClaimedSize(std::string jpeg, int width, int height) {
  const auto byte = [&jpeg](size_t at) { return static_cast<std::uint8_t>(jpeg[at]); };
  size_t at = 2;
  while (byte(at + 1) < 0xC0 || byte(at + 1) > 0xC2) at += 2 + (byte(at + 2) << 8 | byte(at + 3));
  const int values[] = {height >> 8, height & 0xFF, width >> 8, width & 0xFF};
  for (int i = 0; i < 4; ++i) jpeg[at + 5 + i] = static_cast<char>(values[i]);
  return jpeg;
}

// A progressive grey JPEG of one DC scan, then `acScans` identical AC scans of runs of 16384 empty blocks
// (EOB14): each scan a pass over every block. Each Huffman table holds one symbol, coded as the bit 0.
inline std::string ScanBomb(int width, int height, int acScans) {
  const auto bytes = [](std::initializer_list<int> values) { return std::string(values.begin(), values.end()); };
  const auto zeroBits = [](std::size_t bits) {
    return std::string(bits / 8, '\0') + std::string(bits % 8 > 0, static_cast<char>(0xFF >> bits % 8));
  };
  const std::size_t blocks = static_cast<std::size_t>((width + 7) / 8) * ((height + 7) / 8);
  std::string jpeg = bytes({0xFF, 0xD8, 0xFF, 0xDB, 0, 67, 0}) + std::string(64, '\1') +
                     bytes({0xFF, 0xC2, 0, 11, 8, height >> 8, height & 0xFF, width >> 8, width & 0xFF, 1, 1, 0x11, 0});
  for (int table : {0x00, 0x10})
    jpeg += bytes({0xFF, 0xC4, 0, 20, table, 1}) + std::string(15, '\0') + bytes({table ? 0xE0 : 0});
  jpeg += bytes({0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 0, 0}) + zeroBits(blocks);
  for (int i = 0; i < acScans; ++i)
    jpeg += bytes({0xFF, 0xDA, 0, 8, 1, 1, 0, 1, 63, 0}) + zeroBits((blocks + 16383) / 16384 * 15);
  return jpeg + bytes({0xFF, 0xD9});
}
